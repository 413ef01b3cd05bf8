% Faults of arrays of three dimensions: each message as octave-cli words it.
A = zeros(2,2,2);
try
  x = A(3,1,1);
catch err
  disp(err.message);
end
try
  x = A(1,1,3);
catch err
  disp(err.message);
end
try
  x = A(1,5);
catch err
  disp(err.message);
end
try
  x = A(0,1,1);
catch err
  disp(err.message);
end
try
  x = A(1.5,1,1);
catch err
  disp(err.message);
end
try
  A(:,:,2) = ones(3,3);
catch err
  disp(err.message);
end
try
  A(1,:,:) = ones(3,3);
catch err
  disp(err.message);
end
try
  A(1,1,2) = [];
catch err
  disp(err.message);
end
try
  A(3,1) = 1;
catch err
  disp(err.message);
end
try
  z = zeros(2,1.5,2);
catch err
  disp(err.message);
end
try
  z = ones(2,2,NaN);
catch err
  disp(err.message);
end
try
  z = zeros(1e6,1e6,1e6);
catch err
  disp(err.message);
end
try
  z = cat(3, ones(2), ones(3));
catch err
  disp(err.message);
end
try
  z = [ones(2,2,2), ones(2,2,3)];
catch err
  disp(err.message);
end
try
  z = ones(2,2,2) + ones(2,2,3);
catch err
  disp(err.message);
end
try
  z = reshape(1:8, 2, 2, 3);
catch err
  disp(err.message);
end
try
  z = reshape(1:8, [], [], 2);
catch err
  disp(err.message);
end
try
  z = permute(ones(2,3,4), [1 2]);
catch err
  disp(err.message);
end
try
  z = permute(ones(2,3), [1 1]);
catch err
  disp(err.message);
end
disp(size(zeros(2,-1,2)))

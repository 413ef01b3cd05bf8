% c{k}; as a statement of its own reads the element: one that is not there raises
% the index error (the value of one that is there is dropped).
c2 = {1, 2};
c2{2};
try
  c2{5};
  disp('not reached');
catch err
  disp(err.message);
end
m = {1, 'a'; 2, 'b'};
m{2, 2};
try
  m{3, 1};
catch err
  disp(err.message);
end
disp('done')

% Calls a MEX file refuses: each is an Octave error with its message; Octave goes on.
function refusals()
  try_call(@() twice(1, 2));
  try_call(@() twice());
  try_call(@() twice(sparse([1 0 2])));
  try_call(@() twice(ones(2, 2, 2)));
  try_call(@() prod2({1}, 2));
  try_call(@() twice(struct('a', 1)));
  try_call(@() twice(@sin));
  try_call(@() pack(5));
  try_call(@() two_outputs());
  % Errors of the M code itself, with the identifier it gives or the library's.
  try_call(@() checked(-1));
  try_call(@() pack({}));
  try_call(@() prod2(ones(2, 3), ones(2, 3)));
  disp('Octave is still running')
end

function try_call(f)
  try
    f();
    disp('no error')
  catch err
    printf('[%s] %s\n', err.identifier, err.message);
  end
end

function two_outputs()
  [a, b] = twice(1);
end

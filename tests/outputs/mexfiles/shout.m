function shout(text)
% No outputs: the MEX file prints in its caller's output.
disp(upper(text))

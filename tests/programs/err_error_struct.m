% error of a structure, rethrow of a structure, and getReport-free messages.
try
  error(struct('message', 'from a structure', 'identifier', 'Struct:id'));
catch err
  fprintf('%s / %s\n', err.identifier, err.message);
end
s.message = 'built field by field';
s.identifier = 'Fields:id';
try
  error(s);
catch err
  fprintf('%s / %s\n', err.identifier, err.message);
end
try
  rethrow(s);
catch err
  fprintf('%s / %s\n', err.identifier, err.message);
end
t.message = '';
t.identifier = 'Empty:id';
error(t);
disp('an empty message raises nothing');
u.message = 'no identifier field';
try
  rethrow(u);
catch err
  disp(err.message);
end

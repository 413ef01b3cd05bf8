% try and catch with statements on their own lines, try/catch inside switch cases and
% switch inside try blocks, nested, in a loop with break and continue.
try x = 10
  y = x + 1;
catch err, disp(err.message)
end
try a = ones(2); b = a(5, 5); catch err, fprintf('caught: %s\n', err.message), end
try, error('first'); catch, disp('caught without a variable'), end
try; error('Forms:semi', 'semicolons'); catch err; disp(err.identifier); end

codes = {'Forms:small', 'Forms:large', 'Other:thing', ''};
total = 0;
for k = 1:6
  switch mod(k, 3)
    case 0
      try
        if k > 4
          error(codes{2}, 'value %d too large', k);
        end
        total = total + k;
      catch err
        switch err.identifier
          case 'Forms:large'
            fprintf('k=%d: large (%s)\n', k, err.message);
            break
          otherwise
            disp('unexpected');
        end
      end
    case 1
      try
        switch k
          case 1
            error(codes{1}, 'small %d', k);
          case {4, 7}
            error(codes{3}, 'thing %d', k);
        end
      catch err
        fprintf('k=%d: %s\n', k, err.identifier);
        continue
      end
    otherwise
      total = total + 10 * k;
  end
  fprintf('after k=%d total=%d\n', k, total);
end
fprintf('loop left at k=%d, total %d\n', k, total);

% Nested try blocks inside a case: the inner catch rethrows to the outer.
for mode = {'inner', 'outer', 'none'}
  switch mode{1}
    case {'inner', 'outer'}
      try
        try
          error('Nest:%s', mode{1});
        catch e1
          if strcmp(mode{1}, 'outer')
            rethrow(e1);
          end
          fprintf('handled inside: %s\n', e1.message);
        end
      catch e2
        fprintf('handled outside: %s\n', e2.message);
      end
    otherwise
      disp('no error');
  end
end

% inputParser: required, optional, name-value and switch inputs with validators given
% as named and anonymous handles, in the method and the function forms; defaults and
% their order, UsingDefaults, KeepUnmatched, a structure of parameters, names in any
% case, the handle shared by copies, and the messages of refused inputs.
r = scaled(3)
r = scaled(3, 7, 'Tol', 1e-3)
r = scaled(3, 'tol', 5)
r = scaled(3, 9)
bad = {@() scaled('x'), @() scaled(3, 'Bogus', 2), @() scaled(3, 'tol', -1), ...
       @() scaled(3, {3}), @() scaled(3, 2, 5)};
for k = 1:numel(bad)
  try
    bad{k}();
  catch err
    disp(err.message);
  end
end
p = inputParser;
p.KeepUnmatched = true;
p.FunctionName = 'g';
addRequired(p, 'a');
addParameter(p, 'x', 1);
parse(p, 5, 'y', 2, 'x', 3);
p.Results
p.Unmatched
q = p;
q.addParameter('z', 0);
parse(p, 1);
p.Results
c = class(p)
u = p.UsingDefaults
k = p.KeepUnmatched
n = p.FunctionName
t = [isobject(p), isstruct(p), numel(p)]
p = inputParser;
addRequired(p, 'zeta');
addOptional(p, 'Mid', 4);
addParameter(p, 'alpha', 1);
addParamValue(p, 'Beta', 'on', @ischar);
addSwitch(p, 'verbose');
parse(p, 1, 2, 'beta', 'off', 'verbose');
p.Results
p.UsingDefaults
p.Parameters
s.alpha = 9;
parse(p, 1, 'Mid', s);
disp(p.Results.Mid); disp(p.Results.alpha)
p = inputParser;
p.FunctionName = 'opts';
addOptional(p, 'o1', 4, @isnumeric);
addParameter(p, 'cc', 1);
addParameter(p, 'A', 1);
addParameter(p, 'b', 1);
addSwitch(p, 's2');
addSwitch(p, 's1');
parse(p);
p.Results
parse(p, 'b', 2, 's1');
p.UsingDefaults
parse(p, struct('cc', 5, 'A', 6));
disp([p.Results.cc, p.Results.A])
v = inputParser;
v.addRequired('v', @(x) validateattributes(x, {'numeric'}, {'positive'}));
v.addOptional('w', 0, @(x) error('no optional %d', x));
v.parse(3);
disp(v.Results)
cases = {@() v.parse(-1), @() v.parse(), @() v.parse(1, 2), @() addParameter(p, 'b', 3), ...
        @() addRequired(p, 'r2'), @() addOptional(p, 'o2', 1)};
for k = 1:numel(cases)
  try
    cases{k}();
  catch err
    disp(err.message);
  end
end

function r = scaled(a, varargin)
  p = inputParser();
  p.FunctionName = 'scaled';
  p.addRequired('a', @isnumeric);
  p.addOptional('b', 2, @(x) isnumeric(x) && isscalar(x));
  p.addParameter('Tol', 1e-6, @(x) x > 0);
  p.parse(a, varargin{:});
  r = p.Results;
end

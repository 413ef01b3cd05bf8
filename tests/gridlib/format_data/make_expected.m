% Regenerates expected.txt from cases.txt with the reference interpreter:
%   cd tests/gridlib/format_data && octave-cli make_expected.m
% Each line of cases.txt is: operation TAB expression [TAB expression...].
% Each record of expected.txt holds the operation, its arguments as values
% and the exact text the interpreter produced.
1;
% The values exactly, negative zero included.
function s = numbers(d)
  s = "";
  for k = 1:numel(d)
    if d(k) == 0 && 1 / d(k) < 0
      s = [s "-0 "];
    else
      s = [s sprintf("%.17g ", d(k))];
    end
  end
end
function s = ser(v)
  if iscell(v)
    s = sprintf("cell %d %d\n", rows(v), columns(v));
    for k = 1:numel(v)
      s = [s ser(v{k})];
    end
  elseif isstruct(v)
    f = fieldnames(v);
    s = sprintf("struct %d\n", numel(f));
    for k = 1:numel(f)
      s = [s sprintf("%s\n", f{k}) ser(v.(f{k}))];
    end
  else
    if ischar(v)
      kind = "char";
    elseif islogical(v)
      kind = "bool";
    else
      kind = "num";
    end
    s = sprintf("%s %d %d %d %d\n", kind, rows(v), columns(v), iscomplex(v), isa(v, "single"));
    s = [s numbers(double(real(v)(:))) "\n"];
    if iscomplex(v)
      s = [s numbers(double(imag(v)(:))) "\n"];
    end
  end
end
function t = rowsjoin(c)
  t = "";
  for r = 1:rows(c)
    if r > 1
      t = [t "\n"];
    end
    t = [t c(r, :)];
  end
end
lines = strsplit(fileread("cases.txt"), "\n");
out = fopen("expected.txt", "w");
for li = 1:numel(lines)
  ln = lines{li};
  if isempty(ln) || ln(1) == "#"
    continue;
  end
  p = strsplit(ln, "\t");
  op = p{1};
  args = cell(1, numel(p) - 1);
  for k = 2:numel(p)
    args{k - 1} = eval(p{k});
  end
  switch op
    case "display"
      eval([args{1} " = args{2};"]);
      txt = evalc(args{1});
    case "disp"
      txt = evalc("disp(args{1})");
    case "sprintf"
      txt = sprintf(args{:});
    case "num2str"
      txt = rowsjoin(num2str(args{:}));
    case "int2str"
      txt = rowsjoin(int2str(args{:}));
    case "mat2str"
      txt = mat2str(args{:});
  end
  fprintf(out, "case %s %d\n", op, numel(args));
  for k = 1:numel(args)
    fprintf(out, "%s", ser(args{k}));
  end
  fprintf(out, "expect %d\n%s\n", numel(txt), txt);
end
fclose(out);

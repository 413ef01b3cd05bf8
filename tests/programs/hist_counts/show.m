function show(label, v)
% One line: the label and the values in %g form.
fprintf('%s: %s\n', label, strtrim(sprintf('%g ', v)));
end

% textscan on a text and on a file: numbers, words, integer conversions, skipped
% fields, literals, delimiters with empty fields, header lines and a repeat count.
c = textscan(sprintf('1 2\n3 4\n'), '%f %f');
disp(class(c)); disp(size(c)); disp(c{1}'); disp(c{2}')
c2 = textscan(sprintf('1,2\n3,4\n'), '%f %f', 'Delimiter', ',');
disp(c2{1}'); disp(c2{2}')
c3 = textscan(sprintf('a 1\nbb 2\n'), '%s %d');
disp(c3{1}); disp(class(c3{2})); disp(c3{2}')
c4 = textscan(sprintf('h1\nh2\n5 6\n7 8'), '%f %f', 'HeaderLines', 2);
disp(c4{1}'); disp(c4{2}')
c5 = textscan('1 2 3 4 5 6', '%f %*f %f');
disp(c5{1}'); disp(c5{2}')
c6 = textscan('x=1;x=2;', 'x=%f;');
disp(c6{1}')
c7 = textscan('1 2 3 4 5 6', '%f %f', 2);
disp(c7{1}'); disp(c7{2}')
c8 = textscan(sprintf('1,,3\n4,5,6'), '%f %f %f', 'Delimiter', ',');
disp(c8{2}')
c9 = textscan(sprintf('1,,3\n4,5,6'), '%f %f %f', 'Delimiter', ',', 'EmptyValue', -1);
disp(c9{2}')
c10 = textscan('1 2 stop 4', '%f');
disp(c10{1}')
c11 = textscan(sprintf('1 2\n3 4'), '%f %f', 'CollectOutput', true);
disp(size(c11)); disp(c11{1})
name = [tempname() '.txt'];
fid = fopen(name, 'w');
fprintf(fid, 'name value\nalpha 1.5\nbeta 2.5\n');
fclose(fid);
fid = fopen(name, 'r');
d = textscan(fid, '%s %f', 'HeaderLines', 1);
fclose(fid);
delete(name);
disp(d{1}); disp(d{2}')

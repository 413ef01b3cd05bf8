% Date numbers, date vectors and the text of dates.
n = datenum(2024, 3, 15)
n2 = datenum([2024 3 15 13 45 30]);
fprintf('%.6f\n', n2);
n3 = datenum(2023, 14, 1)
n4 = datenum(2024, [1 2 3], 1)
s0 = datestr(n2)
s1 = datestr(n)
s2 = datestr(n2, 'yyyy-mm-dd HH:MM:SS')
s3 = datestr(n2, 31)
s4 = datestr(n2, 'dddd, mmmm dd, yyyy')
s5 = datestr(n2, 'HH:MM PM')
s6 = datestr([n; n2])
s7 = datestr(n2, 'mmm.dd,yyyy')
s8 = datestr(n2, 23)
s9 = datestr(730486.5, 0)
v = datevec(n2)
v2 = datevec([730486.75; 1])
s10 = datestr([2020 1 2 3 4 5])
s11 = datestr(n2, 'yy/mm/dd ddd QQ')
s12 = datestr(n2, 'HH:MM:SS.FFF')
s13 = datestr(n2, 30)
s14 = datestr(datenum(2000, 2, 29), 1)
% years before 1000 keep four places, the sign among them
y1 = datestr(0)
y2 = datestr(400)
y3 = datestr(-400, 'yyyy-mm-dd')
y4 = datestr(367*5+0.5)
% Dates read from text: the standard formats, a format given, cells and char rows,
% six outputs, and texts no format reads.
t1 = datevec('2021-03-04 05:06:07')
t2 = datevec('04-Mar-2021 13:45:10')
t3 = datevec('03/04/2021')
t4 = datenum('04-Mar-2021 12:00:00');
fprintf('%.2f\n', t4);
t5 = datenum({'2021-03-04', '2021/03/05'})
t6 = datevec('20210304T101112', 'yyyymmddTHHMMSS')
t7 = datevec('Mar.04,2021')
[y, m, d, h, mi, s] = datevec(['2021-03-04 05:06:07'; '1999-12-31 23:59:58'])
t8 = datenum('2021-03-04 05:06:07.250', 'yyyy-mm-dd HH:MM:SS.FFF');
fprintf('%.8f\n', t8);
t9 = datestr('2021-03-04')
t10 = weekday('2021-03-04')
t11 = datevec('01:30 PM 2021-03-04', 'HH:MM PM yyyy-mm-dd')
t12 = datevec('March 4, 2021', 'mmmm dd, yyyy')
for bad = {'2021-03-04 05:06:07.5', 'soon'}
  try
    datevec(bad{1})
  catch err
    disp(err.message)
  end
end
try
  datevec('2021-03-04', 'dd/mm/yyyy')
catch err
  disp(err.message)
end

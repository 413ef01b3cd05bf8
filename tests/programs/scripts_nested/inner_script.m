disp('inner script ran')
z = y * 2

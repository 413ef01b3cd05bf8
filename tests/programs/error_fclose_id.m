% Closing a file id that is not open ends the program.
fid = fopen('error_fclose_id_tmp.txt', 'w');
fclose(fid);
delete('error_fclose_id_tmp.txt');
st = fclose(fid)

% classes through MAT-files and binary files: save and load keep every class,
% fread gives the class its precision asks for
x8 = int8([-3 5 127]);
u16 = uint16([1 65535]);
i32 = int32(-7);
s = single(2.5);
b = [true false];
t = 'text';
d = [1.5 2];
save cls.mat x8 u16 i32 s b t d
x8 = 0; u16 = 0; i32 = 0; s = 0; b = 0; t = 0; d = 0;
load cls.mat x8 u16 i32 s b t d
x8
u16
c = {class(x8), class(u16), class(i32), class(s), class(b), class(t), class(d)}
name = 'class_files_tmp.bin';
fid = fopen(name, 'wb');
n = fwrite(fid, [1 2 250 -3], 'uint8');
n = fwrite(fid, [-1 1000], 'int16');
fclose(fid);
fid = fopen(name, 'rb');
a = fread(fid, 2, 'uint8')'
a2 = fread(fid, 2, '*uint8')'
a3 = fread(fid, 2, 'int16=>int16')'
k = {class(a), class(a2), class(a3)}
fclose(fid);
fid = fopen(name, 'rb');
a4 = fread(fid, [1 4], 'uint8=>single')
k4 = class(a4)
fclose(fid);
delete(name);
delete('cls.mat');

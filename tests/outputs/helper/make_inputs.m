% The helper's inputs as Octave saves them, in both MAT-file versions.
in01 = [1 2 3; 4 5 6];
in02 = 'mat file';
save('-v6', 'in6.mat', 'in01', 'in02');
save('-v4', 'in4.mat', 'in01', 'in02');
save('-v6', 'only_x.mat', 'in01');
in01 = [];
save('-v6', 'empty_x.mat', 'in01', 'in02');
% A structure for the helper of fieldwise (version 5 files hold structures).
in01 = struct('name', 'abc', 'values', [1 2 3]);
save('-v6', 'st6.mat', 'in01');

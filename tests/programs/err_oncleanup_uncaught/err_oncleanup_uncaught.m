% An error nothing catches still runs the cleanups of the functions it leaves.
disp('start');
fails_with_cleanup();
disp('never');

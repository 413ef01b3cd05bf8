% Warnings with identifiers, switched off and on, and what lastwarn records.
warning('Demo:first', 'first warning %d', 1);
[msg, id] = lastwarn();
fprintf('[%s] [%s]\n', msg, id);
warning('off', 'Demo:quiet');
warning('Demo:quiet', 'not shown');
[msg, id] = lastwarn();
fprintf('[%s] [%s]\n', msg, id);
warning('Demo:loud', 'shown');
[msg, id] = lastwarn();
fprintf('[%s] [%s]\n', msg, id);
warning('on', 'Demo:quiet');
warning('Demo:quiet', 'shown again');
disp(lastwarn());
warning('off', 'all');
warning('Demo:any', 'hidden by all');
disp(lastwarn());
warning('on', 'Demo:any');
warning('Demo:any', 'this one is back on');
disp(lastwarn());
warning('Demo:other', 'still off');
disp(lastwarn());
warning('on', 'all');
warning('plain text warning');
[msg, id] = lastwarn();
fprintf('[%s] [%s]\n', msg, id);
% A library warning goes the same way.
warning('off', 'Octave:singular-matrix');
x = [1 2; 2 4] \ [1; 2];
disp(lastwarn());
warning('on', 'Octave:singular-matrix');
x = [1 2; 2 4] \ [1; 2];
[msg, id] = lastwarn();
disp(id);
lastwarn('set by hand', 'Hand:id');
[msg, id] = lastwarn();
fprintf('[%s] [%s]\n', msg, id);
% The state of every warning: a structure array whose first element is 'all'.
s = warning;
fprintf('%s %s %s\n', class(s), s(1).identifier, s(1).state);
warning('off', 'Demo:listed');
t = warning();
disp(any(strcmp({t.identifier}, 'Demo:listed')));
% The statement warning('query', id) prints the state of the identifier.
warning('off', 'Demo:asked');
warning('query', 'Demo:asked')
warning('query', 'Demo:never-set');
warning('on', 'Demo:asked');
warning query Demo:asked

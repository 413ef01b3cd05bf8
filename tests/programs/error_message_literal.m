% error with a message alone prints it as it stands: no format, no escapes.
disp('before')
error('Done: 100% of %d items\n')

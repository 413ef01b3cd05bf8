function say_goodbye()
  disp('goodbye');
end

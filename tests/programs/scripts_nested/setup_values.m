y = x + 40;
inner_script

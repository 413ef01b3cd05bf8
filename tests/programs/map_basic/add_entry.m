function add_entry(map, key, value)
  % The caller's map changes: a map is a handle.
  map(key) = value;
end

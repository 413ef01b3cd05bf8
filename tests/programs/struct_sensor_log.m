% A log of sensors kept as a structure array: selection by field, sorting, summaries
% made by arrayfun, a nested configuration walked by its field names.
function struct_sensor_log
% sensor log processing
sensors = struct('name', {'T1', 'P7', 'T2', 'F3'}, ...
                 'unit', {'degC', 'bar', 'degC', 'l/min'}, ...
                 'data', {[20.1 20.4 21.0 20.8], [1.2 1.3 1.25], [19.0 18.5 18.9 19.2 19.4], []});
fprintf('%d sensors\n', numel(sensors));
for k = 1:numel(sensors)
  s = sensors(k);
  if isempty(s.data)
    fprintf('%-4s: no data\n', s.name);
    continue
  end
  fprintf('%-4s: mean %.2f %s over %d samples\n', s.name, mean(s.data), s.unit, numel(s.data));
end
counts = arrayfun(@(x) numel(x.data), sensors)
isTemp = strcmp({sensors.unit}, 'degC')
temps = sensors(isTemp);
{temps.name}
[~, order] = sort(cellfun(@numel, {sensors.data}), 'descend');
sorted = {sensors(order).name}
stats = arrayfun(@summarize, sensors(counts > 0))
cfg.sample_rate = 10;
cfg.filter.order = 4;
cfg.filter.cutoff = 0.25;
cfg.labels = {'a', 'b'};
cfg
fn = fieldnames(cfg);
for k = 1:numel(fn)
  v = cfg.(fn{k});
  fprintf('%s is a %s\n', fn{k}, class(v));
end
cfg = rmfield(cfg, 'labels');
isfield(cfg, {'filter', 'labels', 'sample_rate'})
cfg.filter = setfield(cfg.filter, 'type', 'butter');
disp(cfg.filter)
sensors(2) = [];
size(sensors)
sensors(end + 1) = struct('name', 'X9', 'unit', 'V', 'data', 1:3);
{sensors.name}
total = sum([stats.n])
m = struct2cell(stats(1))
end

function r = summarize(s)
r.name = s.name;
r.n = numel(s.data);
r.peak = max(s.data);
end

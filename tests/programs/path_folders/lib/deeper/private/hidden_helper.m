function y = hidden_helper(x)
y = x * 100;

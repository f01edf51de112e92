int placeholder = 0;

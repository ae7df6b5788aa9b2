# Sources of the dotdata subsystem.

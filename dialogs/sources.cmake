# Sources of the dialogs subsystem.

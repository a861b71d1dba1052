// The ovpropframe program: arguments, filter, settings file and frame.
// Exit codes: 0 done, 1 a failure (message on standard error), 2 bad usage.
#pragma once

int RunPropFrame(int argc, char** argv);

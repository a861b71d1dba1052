// ovpropframe: shows a registered filter's property pages in a frame.
#include "PropFrameProgram.h"

int main(int argc, char** argv) { return RunPropFrame(argc, argv); }

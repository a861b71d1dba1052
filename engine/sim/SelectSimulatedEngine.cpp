// Part of every test program that links ovSenderSim: the engine chooses its
// back-end at the first call, which comes after static initialisation, so
// setting the choice here makes the whole process, and the console programs
// it starts, run on the simulation, never on the network.
#include <cstdlib>

namespace {

const bool kSimulatedEngineChosen = [] { return setenv("OVSENDER_ENGINE", "simulated", 1) == 0; }();

}  // namespace

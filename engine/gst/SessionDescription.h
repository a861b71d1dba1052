// A session description (SDP) of what the engine sends, written next to the
// registry store as session.sdp so that ordinary players can receive it.
#pragma once

#include <string>

#include "PipelinePlan.h"

namespace ovgst {

std::string sessionDescription(const PipelinePlan &plan);
std::string sessionDescriptionPath();
// Writes the description while sending; removes the file otherwise.
void publishSessionDescription(const PipelinePlan *plan);

}  // namespace ovgst

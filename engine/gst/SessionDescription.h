// A session description (SDP) of what the engine sends, written next to the
// registry store as session.sdp so that ordinary players can receive it.
#pragma once

#include <string>

#include "PipelinePlan.h"

namespace ovgst {

// The focus information stream is listed while it is sent; the status stream always.
std::string sessionDescription(const PipelinePlan &plan, bool sendsFocus = true);
std::string sessionDescriptionPath();
// Writes the description while sending; removes the file otherwise.
void publishSessionDescription(const PipelinePlan *plan, bool sendsFocus = true);

}  // namespace ovgst

#pragma once

#include "relay/RelayPort.h"

#include <memory>

// The relay port backend of the platform the program runs on: the one place it is chosen.
std::unique_ptr<RelayPort> createSystemRelayPort();

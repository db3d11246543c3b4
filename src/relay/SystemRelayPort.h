#pragma once

#include "relay/RelayPort.h"

#include <memory>

// The relay port backend of the platform the program runs on, for an LPT relay: the one place it
// is chosen.
std::unique_ptr<RelayPort> createSystemRelayPort();

// The backend for the relay `relay` describes, on this system's real devices: the one place a kind of
// relay is chosen. A kind this build or system cannot drive gets a backend whose every write fails
// and says so.
std::unique_ptr<RelayPort> createRelayPort(const RelaySettings& relay);

// The devices of a kind attached now: HID boards with their serials, USB serial ports, GPIO chips.
// Empty for LPT, whose port is chosen with the option buttons.
QList<RelayDevice> findRelayDevices(RelaySettings::Kind kind);

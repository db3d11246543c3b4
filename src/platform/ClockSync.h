#pragma once

#include <memory>
#include <optional>

// Whether the system keeps its clock set from a time server: a clock left to itself drifts, and the
// bells drift with it. Asking may take long (a service started on demand, a bus that does not
// answer within its timeout), so a question is only started here and its answer read later: nothing
// that asks ever waits.
class ClockSync
{
public:
    virtual ~ClockSync() = default;
    // Starts a question unless one is under way, and returns at once.
    virtual void ask() = 0;
    // The answer to the last question: std::nullopt until one came, and when nothing answered.
    virtual std::optional<bool> synchronised() const = 0;
};

// For a system with nothing to ask, and for rehearsals: no answer, so nothing is shown.
class NullClockSync : public ClockSync
{
public:
    void ask() override {}
    std::optional<bool> synchronised() const override { return std::nullopt; }
};

// The backend of the platform the program runs on.
std::unique_ptr<ClockSync> createSystemClockSync();

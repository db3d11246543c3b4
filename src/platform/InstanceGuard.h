#pragma once

// Whether another copy of the program runs on the same program folder.
class InstanceGuard
{
public:
    virtual ~InstanceGuard() = default;
    virtual bool anotherCopyRunning() = 0;
};

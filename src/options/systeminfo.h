#pragma once

#include <QtGlobal>

// The machine's memory and the program's own, in bytes.
struct MemoryStatus
{
    qint64 physicalTotal = 0;
    qint64 physicalFree = 0; // what programs can still have (MemAvailable)
    qint64 swapTotal = 0;
    qint64 swapFree = 0;
};

// Where the resource figures come from. The real one reads /proc.
class SystemInfo
{
public:
    virtual ~SystemInfo() = default;
    virtual bool memoryStatus(MemoryStatus *status) const = 0;
    // The program's memory: its resident set and its engine helper processes'
    // proportional share (where a page's memory lives).
    virtual bool programMemory(qint64 *bytes) const = 0;
};

class ProcSystemInfo : public SystemInfo
{
public:
    bool memoryStatus(MemoryStatus *status) const override;
    bool programMemory(qint64 *bytes) const override;

    // The kB figure of a "Name:   123 kB" line of a /proc file, -1 without it.
    static qint64 kilobytes(const QByteArray &text, const QByteArray &name);
};

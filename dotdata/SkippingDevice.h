#pragma once

#include <QIODevice>

#include <utility>
#include <vector>

// A read-only view of a random-access device with some byte ranges left
// out, as if they had never been in it. Nothing is copied: reads go to the
// device at the mapped position.
class CSkippingDevice : public QIODevice
{
public:
    // [first, second) ranges of the device, sorted and not overlapping.
    using Ranges = std::vector<std::pair<qint64, qint64>>;

    CSkippingDevice(QIODevice& source, Ranges skipped);

    bool isSequential() const override { return false; }
    qint64 size() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    // The device position of a position in the view, and the device position
    // of the next left-out range after it (or the device's end).
    std::pair<qint64, qint64> Map(qint64 viewPos) const;

    QIODevice& m_source;
    Ranges m_aSkipped;
    qint64 m_nSkippedBytes = 0;
};

#include "dotdata/SkippingDevice.h"

#include <algorithm>

CSkippingDevice::CSkippingDevice(QIODevice& source, Ranges skipped)
    : m_source(source)
    , m_aSkipped(std::move(skipped))
{
    for (const auto& [first, second] : m_aSkipped)
        m_nSkippedBytes += second - first;
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 CSkippingDevice::size() const
{
    return m_source.size() - m_nSkippedBytes;
}

std::pair<qint64, qint64> CSkippingDevice::Map(qint64 viewPos) const
{
    qint64 sourcePos = viewPos;
    for (const auto& [first, second] : m_aSkipped) {
        if (first > sourcePos)
            return {sourcePos, first};
        sourcePos += second - first;
    }
    return {sourcePos, m_source.size()};
}

qint64 CSkippingDevice::readData(char* data, qint64 maxSize)
{
    qint64 done = 0;
    while (done < maxSize) {
        const auto [from, until] = Map(pos() + done);
        const qint64 want = std::min(maxSize - done, until - from);
        if (want <= 0 || !m_source.seek(from))
            break;
        const qint64 got = m_source.read(data + done, want);
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

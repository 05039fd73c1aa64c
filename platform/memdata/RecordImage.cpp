#include "RecordImage.h"

#include <cstring>

namespace RecordImage {

void sanitizeInto(std::string &dst, QByteArrayView src, int width)
{
    dst.clear();
    const qsizetype n = src.size();
    for (qsizetype i = 0; i < n && int(dst.size()) < width; ++i) {
        const char c = src[i];
        switch (c) {
        case '\0': break;
        case '\r':
            if (i + 1 < n && src[i + 1] == '\n')
                ++i;
            dst.push_back(' ');
            break;
        case '\t':
        case '\n': dst.push_back(' '); break;
        default: dst.push_back(c); break;
        }
    }
}

bool isClean(QByteArrayView src)
{
    for (const char c : src) {
        if (c == '\0' || c == '\r' || c == '\n' || c == '\t')
            return false;
    }
    return true;
}

const char *build(RecordArena &arena, const qint64 *numbers, int numberCount, const QByteArrayView *texts, int textCount)
{
    size_t textBytes = 0;
    for (int s = 0; s < textCount; ++s)
        textBytes += size_t(texts[s].size());
    Q_ASSERT(textBytes <= 0xffff);
    const qsizetype head = qsizetype(numberCount) * 8 + qsizetype(textCount) * 2;
    char *image = arena.allocate(head + qsizetype(textBytes));
    std::memcpy(image, numbers, size_t(numberCount) * 8);
    char *ends = image + numberCount * 8;
    char *bytes = image + head;
    quint16 end = 0;
    for (int s = 0; s < textCount; ++s) {
        if (!texts[s].isEmpty())
            std::memcpy(bytes + end, texts[s].data(), size_t(texts[s].size()));
        end = quint16(end + texts[s].size());
        std::memcpy(ends + s * 2, &end, 2);
    }
    return image;
}

} // namespace RecordImage

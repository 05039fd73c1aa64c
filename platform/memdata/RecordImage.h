#pragma once

#include "RecordArena.h"

#include <QByteArrayView>
#include <string>

// A stored record: its numbers (8 bytes each), then the end offset of each text (2 bytes each),
// then the texts' bytes one after the other.
namespace RecordImage {

// A stored text never breaks a line of the archive: TAB, CR and LF become a blank (a CR LF pair
// one blank), NUL is dropped. Then the text is cut to the field's width.
void sanitizeInto(std::string &dst, QByteArrayView src, int width);
// Whether sanitizeInto would only cut the text.
bool isClean(QByteArrayView src);

const char *build(RecordArena &arena, const qint64 *numbers, int numberCount, const QByteArrayView *texts, int textCount);

} // namespace RecordImage

#include "fuzzcheck.h"
#include "updatefileheader.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

static updateFileHeader readHeader(const QByteArray &content, qint64 *consumed)
{
    // Opened as the window opens update files.
    QBuffer file;
    file.setData(content);
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    const updateFileHeader header = updateFileHeader::read(file);
    *consumed = file.pos();
    return header;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<int>(size));
    qint64 consumed = 0;
    const updateFileHeader header = readHeader(input, &consumed);
    require(consumed >= 0 && consumed <= input.size(), "the reader stays within the file");
    const QByteArray taken = input.left(static_cast<int>(consumed));
    // Text mode drops carriage returns before they reach the reader, so they are not counted; a
    // byte-order mark at the start is skipped before the first line.
    require(taken.size() - taken.count('\r') <= 3 + 4 * 512,
            "the reader takes at most four lines, after a byte-order mark");

    int filled = 0;
    for (const QString *value : {&header.applicationName, &header.vendorName, &header.fixtureName,
                                 &header.applicationVersion}) {
        require(value->size() <= 511, "a value decodes from at most 511 bytes");
        require(!value->contains('\n'), "a value stops before its line feed");
        filled += value->isEmpty() ? 0 : 1;
    }
    require(header.isComplete() == (filled == 4), "complete means all four values are set");
    require(filled <= taken.count('#'), "every value starts at a # that was read");

    // Only what was read may decide the header, and reading is repeatable.
    qint64 consumedAgain = 0;
    const updateFileHeader again = readHeader(taken, &consumedAgain);
    require(consumedAgain == consumed && again.applicationName == header.applicationName &&
                again.vendorName == header.vendorName && again.fixtureName == header.fixtureName &&
                again.applicationVersion == header.applicationVersion,
            "the bytes read alone give the same header");
    return 0;
}

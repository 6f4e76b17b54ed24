// libFuzzer's target: any bytes at all, read as a part file, each of its first parts read into
// the form, its account written out and the form's text built.
#include "formfields.h"
#include "partconfig.h"
#include "partreading.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const FormShape shape = formShape();
    const PartFile file = readPartFile(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    if (file.parts.isEmpty())
        return file.whatInstead().isEmpty() ? 1 : 0;
    for (int part = 0; part < file.parts.size() && part < 3; ++part) {
        const PartReading reading = readPart(file, part, shape);
        if (reading.summary(QStringLiteral("f.cfg")).isEmpty() || buildPartConfig(reading.request).isEmpty())
            return 1;
        reading.details();
    }
    return 0;
}

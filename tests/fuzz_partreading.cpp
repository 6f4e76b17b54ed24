// libFuzzer's target: any bytes at all, read as a part file, each of its first parts read into
// the form (whose shape a window of the program's own gives), its account written out and the
// form's text built; then written back: unchanged, the very same bytes; with one value changed
// (which one chosen by the bytes), a file that reads back with the new value.
#include "formfields.h"
#include "gamereading.h"
#include "partconfig.h"
#include "partwriting.h"

#include <QApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_partreading";
    static char *argv[] = {name, nullptr};
    static QApplication *application = new QApplication(argc, argv);
    formShape();
    // Gone before the toolkit's statics made so far, as a program's own application object.
    std::atexit([] { delete application; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    PartDocument document;
    document.bytes = bytes;
    document.file = readPartFile(bytes);
    if (document.file.parts.isEmpty())
        return document.file.whatInstead().isEmpty() ? 1 : 0;
    for (int part = 0; part < document.file.parts.size() && part < 3; ++part) {
        document.part = part;
        document.reading = readPart(document.file, part, formShape());
        document.opened = document.reading.request;
        if (document.reading.summary(QStringLiteral("f.cfg")).isEmpty() || buildPartConfig(document.reading.request).isEmpty())
            return 1;
        document.reading.details();
        if (document.writeBack(document.opened).bytes != bytes)
            std::abort(); // the unchanged document is not its file

        // One of the form's fields, chosen by the input's last byte: a value changed; where the
        // text holds its line, the file saved reads back with the value as the builder writes it.
        const FormField &f = formFields.at((size ? data[size - 1] : 0) % formFields.size());
        if (!f.value)
            continue;
        const GenerationRequest now = withRowChanged(document.opened, f);
        const auto &lines = builderLines();
        const bool written = std::any_of(lines.begin(), lines.end(), [&](const BuilderLine &line) {
            return line.value == f.value && line.written(now);
        });
        if (!written || misread(readingWarnings(now)))
            continue;
        const PartFile saved = readPartFile(document.writeBack(now).bytes);
        if (saved.parts.size() != document.file.parts.size()
            || readPart(saved, part, formShape()).request.*f.value != oneLine(now.*f.value))
            std::abort(); // the value typed is not what the saved file says
    }
    return 0;
}

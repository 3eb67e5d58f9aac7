// Output files written whole or not at all: a temporary file renamed over the target when every
// byte is written. A target that is not a regular file (/dev/null, a pipe) is written in place:
// renaming over it would replace a device with a plain file.
#pragma once

#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

namespace tv::relazione {

inline std::unique_ptr<QFileDevice> apri_file_intero(const QString& file) {
    const QFileInfo info(file);
    std::unique_ptr<QFileDevice> uscita;
    if (info.exists() && !info.isFile())
        uscita = std::make_unique<QFile>(file);
    else
        uscita = std::make_unique<QSaveFile>(file);
    uscita->open(QIODevice::WriteOnly);  // the caller asks isOpen() and reads errorString()
    return uscita;
}

// True when everything reached the file (and the temporary one took the target's place).
inline bool chiudi_file_intero(QFileDevice& uscita) {
    if (auto* intero = dynamic_cast<QSaveFile*>(&uscita)) return intero->commit();
    const bool ok = uscita.flush() && uscita.error() == QFileDevice::NoError;
    uscita.close();
    return ok && uscita.error() == QFileDevice::NoError;
}

// Drops what was written: the target keeps its earlier content.
inline void annulla_file_intero(QFileDevice& uscita) {
    if (auto* intero = dynamic_cast<QSaveFile*>(&uscita)) intero->cancelWriting();
}

}  // namespace tv::relazione

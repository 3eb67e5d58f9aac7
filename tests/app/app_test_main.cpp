// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the view tests: GoogleTest inside a running QApplication with the design fonts,
// under a "." locale unless a test picks another.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QLocale>
#include <QTemporaryDir>

#include "app/caratteri.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Run without a display unless the caller picked a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    // The user's settings (the job last opened) go to a folder of the run, not the real home.
    QTemporaryDir impostazioni;
    qputenv("XDG_CONFIG_HOME", impostazioni.path().toUtf8());
    QApplication applicazione(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    tv::app::registra_caratteri();
    return RUN_ALL_TESTS();
}

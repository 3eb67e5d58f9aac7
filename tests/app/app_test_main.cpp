// Entry point of the view tests: GoogleTest inside a running QApplication with the design fonts.
#include "app/caratteri.h"

#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Run without a display unless the caller picked a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication applicazione(argc, argv);
    tv::app::registra_caratteri();
    return RUN_ALL_TESTS();
}

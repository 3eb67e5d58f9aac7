// Qt's own dialog texts follow the locale: Italian from Qt's installed translations.
#include "app/lingua.h"

#include <gtest/gtest.h>

#include <QApplication>

TEST(Lingua, QtsDialogsSpeakItalianUnderAnItalianLocaleOnlyWhileInstalled) {
    const auto tr = [](const char* contesto, const char* testo) {
        return QCoreApplication::translate(contesto, testo);
    };
    const auto italiano = tv::app::traduzioni_qt(QLocale(QLocale::Italian, QLocale::Italy));
    ASSERT_NE(italiano, nullptr) << "Qt's translations (qt6-translations-l10n) are not installed";
    QApplication::installTranslator(italiano.get());
    EXPECT_EQ(tr("QFileDialog", "Look in:"), "Cerca in:");
    EXPECT_EQ(tr("QPrintDialog", "Print to File (PDF)"), "Stampa su file (PDF)");
    QApplication::removeTranslator(italiano.get());
    EXPECT_EQ(tr("QFileDialog", "Look in:"), "Look in:");
    EXPECT_EQ(tv::app::traduzioni_qt(QLocale(QLocale::Zulu)), nullptr);
}

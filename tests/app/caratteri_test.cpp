// Design fonts: registration of the shipped files, fallbacks, and no bitmap-only families.
#include "app/caratteri.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>

using namespace tv::app;

namespace {

QString file_in_cartelle(const QString& nome) {
    for (const QString& cartella : cartelle_caratteri())
        if (QFileInfo::exists(QDir(cartella).filePath(nome))) return QDir(cartella).filePath(nome);
    return {};
}

}  // namespace

TEST(Caratteri, TahomaIsAvailableOnceItsFileIsFoundAndRegisteringAgainAddsNothing) {
    EXPECT_TRUE(registra_caratteri().isEmpty());  // the test program registered them at start
    if (file_in_cartelle(QStringLiteral("tahoma.ttf")).isEmpty())
        GTEST_SKIP() << "no Tahoma file on this machine";
    EXPECT_EQ(QFontInfo(crea_font({"Tahoma", 9.0, false, false})).family(),
              QStringLiteral("Tahoma"));
}

TEST(Caratteri, MissingFamilyFallsBackToAnInstalledOneKeepingSizeWeightAndSlant) {
    const QFont font = crea_font({"Famiglia Che Non Esiste", 11.25, true, true});
    const QString usata = QFontInfo(font).family();
    EXPECT_NE(usata, QStringLiteral("Famiglia Che Non Esiste"));
    EXPECT_TRUE(QFontDatabase::families().contains(usata)) << usata.toStdString();
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 11.25);
    EXPECT_TRUE(font.bold() && font.italic());
}

TEST(Caratteri, BitmapOnlyFamilyIsPassedOverForAScalableOne) {
    const QString bitmap = file_in_cartelle(QStringLiteral("ms_sans_serif.ttf"));
    if (bitmap.isEmpty()) GTEST_SKIP() << "no bitmap MS Sans Serif on this machine";
    ASSERT_GE(QFontDatabase::addApplicationFont(bitmap), 0);
    ASSERT_FALSE(QFontDatabase::isScalable(QStringLiteral("MS Sans Serif")));
    EXPECT_FALSE(famiglie_scalabili("MS Sans Serif").contains(QStringLiteral("MS Sans Serif")));
    // At 8.25 pt the font actually used has the requested size, which the bitmap one lacks.
    const QFontInfo usato(crea_font({"MS Sans Serif", 8.25, false, false}));
    EXPECT_NE(usato.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_NEAR(usato.pointSizeF(), 8.25, 0.01);
}

// Design fonts: registration of the shipped files, fallbacks, and no bitmap-only families.
#include "app/caratteri.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

using namespace tv::app;

namespace {

QString file_in_cartelle(const QString& nome)
{
    for (const QString& cartella : cartelle_caratteri()) {
        const QString percorso = QDir(cartella).filePath(nome);
        if (QFileInfo::exists(percorso))
            return percorso;
    }
    return {};
}

}  // namespace

TEST(Caratteri, TahomaIsAvailableOnceItsFileIsFound)
{
    if (file_in_cartelle(QStringLiteral("tahoma.ttf")).isEmpty())
        GTEST_SKIP() << "no Tahoma file on this machine";
    // The test program registered the fonts at start.
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Tahoma")));
    EXPECT_EQ(QFontInfo(crea_font({"Tahoma", 9.0, false, false})).family(), QStringLiteral("Tahoma"));
}

TEST(Caratteri, RegisteringAgainAddsNothing)
{
    registra_caratteri();
    EXPECT_TRUE(registra_caratteri().isEmpty());
}

TEST(Caratteri, MissingFamilyFallsBackToAnInstalledOne)
{
    const QFont font = crea_font({"Famiglia Che Non Esiste", 9.0, false, false});
    const QString usata = QFontInfo(font).family();
    EXPECT_NE(usata, QStringLiteral("Famiglia Che Non Esiste"));
    EXPECT_TRUE(QFontDatabase::families().contains(usata)) << usata.toStdString();
}

TEST(Caratteri, KeepsTheDesignSizeWeightAndSlant)
{
    const QFont font = crea_font({"Tahoma", 11.25, true, true});
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 11.25);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    const QFont normale = crea_font({"MS Sans Serif", 8.25, false, false});
    EXPECT_DOUBLE_EQ(normale.pointSizeF(), 8.25);
    EXPECT_FALSE(normale.bold());
    EXPECT_FALSE(normale.italic());
}

TEST(Caratteri, BitmapOnlyFamilyIsPassedOverForAScalableOne)
{
    const QString bitmap = file_in_cartelle(QStringLiteral("ms_sans_serif.ttf"));
    if (bitmap.isEmpty())
        GTEST_SKIP() << "no bitmap MS Sans Serif on this machine";
    ASSERT_GE(QFontDatabase::addApplicationFont(bitmap), 0);
    ASSERT_FALSE(QFontDatabase::isScalable(QStringLiteral("MS Sans Serif")));
    EXPECT_FALSE(famiglie_scalabili("MS Sans Serif").contains(QStringLiteral("MS Sans Serif")));
    // At 8.25 pt the font actually used has the requested size, which the bitmap one lacks.
    const QFontInfo usato(crea_font({"MS Sans Serif", 8.25, false, false}));
    EXPECT_NE(usato.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_NEAR(usato.pointSizeF(), 8.25, 0.01);
}

// CWeaponListBox: element colours, selected entries, mnemonics and the entry
// height, painted into images.
#include <QPainter>
#include <QtTest>
#include <memory>
#include <vector>

#include "SjisText.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "WeaponListBox.h"
#include "model/Weapon.h"
#include "platform/Cp932.h"

namespace {

std::unique_ptr<CWeapon> MakeWeapon(std::u8string_view name, int32_t nElementMask) {
  auto pWeapon = std::make_unique<CWeapon>(CATEGORY_SWORD, DAMAGE_CUT, 1.4, 1.0);
  pWeapon->SetStatus(velkar::ToSjis(name), 200, 150, nElementMask, 3);
  return pWeapon;
}

const QRect kEntry(0, 0, 120, CWeaponListBox::kEntryHeight);

QImage Paint(const CWeaponListBox& list, const CWeapon* pWeapon, bool bSelected, bool bFocused) {
  QImage image = BlankImage(kEntry.size() + QSize(0, 4));
  QPainter painter(&image);
  list.DrawEntry(painter, kEntry, pWeapon, bSelected, bFocused);
  return image;
}

QRgb Base(const QWidget& widget) {
  return Rgb(widget.palette().color(QPalette::Active, QPalette::Base));
}

}  // namespace

class WeaponListBoxTest : public QObject {
  Q_OBJECT

private slots:
  void colourFollowsTheLowestElementBit_data() {
    QTest::addColumn<int>("nMask");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("no element") << 0 << QColor(0, 0, 0);
    QTest::newRow("bit 0 only") << 1 << QColor(0, 0, 0);
    QTest::newRow("fire") << 2 << QColor(255, 0, 0);
    QTest::newRow("water") << 4 << QColor(0, 0, 255);
    QTest::newRow("thunder") << 8 << QColor(90, 90, 0);
    QTest::newRow("ice") << 16 << QColor(96, 96, 96);
    QTest::newRow("dragon") << 32 << QColor(90, 0, 0);
    QTest::newRow("poison") << 64 << QColor(128, 0, 80);
    QTest::newRow("paralysis") << 128 << QColor(0, 128, 0);
    QTest::newRow("sleep") << 256 << QColor(0, 128, 128);
    QTest::newRow("fire and water: fire") << 6 << QColor(255, 0, 0);
    QTest::newRow("fire and poison: fire") << 66 << QColor(255, 0, 0);
    QTest::newRow("bit 0 with fire: black") << 3 << QColor(0, 0, 0);
    QTest::newRow("bit 9 only: black") << 512 << QColor(0, 0, 0);
    QTest::newRow("bit 9 and ice: ice") << (512 | 16) << QColor(96, 96, 96);
    QTest::newRow("every bit: black") << -1 << QColor(0, 0, 0);
  }
  void colourFollowsTheLowestElementBit() {
    QFETCH(int, nMask);
    QFETCH(QColor, colour);
    QCOMPARE(CWeaponListBox::ElementTextColor(nMask), colour);

    // And the painted name has exactly that colour on the window colour.
    CWeaponListBox list;
    list.setFont(ExactColourFont());
    const auto pWeapon = MakeWeapon(u8"焔刃ヴァルゼナ", nMask);
    const QImage image = Paint(list, pWeapon.get(), false, false);
    QCOMPARE(ColoursIn(image, kEntry), (QSet<QRgb>{Base(list), Rgb(colour)}));
  }

  void selectedEntryIsWhiteOnHighlight_data() {
    QTest::addColumn<int>("nMask");
    QTest::newRow("no element") << 0;
    QTest::newRow("fire") << 2;
    QTest::newRow("sleep") << 256;
  }
  void selectedEntryIsWhiteOnHighlight() {
    QFETCH(int, nMask);
    CWeaponListBox list;
    list.setFont(ExactColourFont());
    const auto pWeapon = MakeWeapon(u8"鉄の片手剣", nMask);
    const QImage image = Paint(list, pWeapon.get(), true, false);
    const QRgb clrHighlight = Rgb(list.palette().color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(ColoursIn(image, kEntry), (QSet<QRgb>{clrHighlight, 0xFFFFFF}));
    // Below the entry nothing is painted.
    QCOMPARE(ColoursIn(image, QRect(0, kEntry.bottom() + 1, 120, 4)),
             QSet<QRgb>{kUntouched & 0xFFFFFF});
  }

  void entryWithoutWeaponIsNotPainted() {
    CWeaponListBox list;
    const QImage image = Paint(list, nullptr, true, true);
    QCOMPARE(ColoursIn(image, image.rect()), QSet<QRgb>{kUntouched & 0xFFFFFF});
  }

  void focusedEntryHasADottedFrame() {
    CWeaponListBox list;
    list.setFont(ExactColourFont());
    const auto pWeapon = MakeWeapon(u8"W", 0);
    const QImage image = Paint(list, pWeapon.get(), false, true);
    // Every other pixel of the frame inverted from the window colour.
    const QRgb clrBase = Base(list);
    QVERIFY((image.pixel(kEntry.left(), kEntry.bottom()) & 0xFFFFFF) != clrBase);
    QCOMPARE(image.pixel(kEntry.left() + 1, kEntry.bottom()) & 0xFFFFFF, clrBase);
    QCOMPARE(image.pixel(kEntry.right(), kEntry.top() + 1) & 0xFFFFFF, clrBase);
    QVERIFY((image.pixel(kEntry.right(), kEntry.top() + 2) & 0xFFFFFF) != clrBase);
    const QImage unfocused = Paint(list, pWeapon.get(), false, false);
    QCOMPARE(unfocused.pixel(kEntry.right(), kEntry.top() + 2) & 0xFFFFFF, clrBase);
  }

  void ampersandUnderlinesTheNextCharacter() {
    CWeaponListBox list;
    list.setFont(ExactColourFont());
    const auto pPlain = MakeWeapon(u8"XB", 0);
    const auto pMarked = MakeWeapon(u8"X&B", 0);
    const QImage plain = Paint(list, pPlain.get(), false, false);
    const QImage marked = Paint(list, pMarked.get(), false, false);
    // The "&" is not drawn: above the baseline both names look the same ...
    const int nAscent = QFontMetrics(list.font()).ascent();
    QCOMPARE(marked.copy(0, 0, kEntry.width(), nAscent), plain.copy(0, 0, kEntry.width(), nAscent));
    // ... and below it the B, not the X, is underlined.
    QVERIFY(marked != plain);
    const int nXWidth = QFontMetrics(list.font()).horizontalAdvance(QStringLiteral("X"));
    QCOMPARE(marked.copy(0, 0, nXWidth, kEntry.height()),
             plain.copy(0, 0, nXWidth, kEntry.height()));
  }

  void nameIsDrawnFromTheTopLeftCorner() {
    CWeaponListBox list;
    list.setFont(ExactColourFont());
    const auto pWeapon = MakeWeapon(u8"鉄の片手剣", 0);
    const QImage image = Paint(list, pWeapon.get(), false, false);
    QImage expected = BlankImage(image.size());
    {
      QPainter painter(&expected);
      painter.setFont(list.font());
      painter.fillRect(kEntry, list.palette().color(QPalette::Active, QPalette::Base));
      painter.setPen(Qt::black);
      painter.drawText(kEntry, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                       QString::fromUtf8("鉄の片手剣"));
    }
    QCOMPARE(image, expected);
  }

  void entriesAreThirteenPixelsHigh_data() {
    QTest::addColumn<int>("nPixelSize");
    QTest::newRow("small font") << 8;
    QTest::newRow("dialog font") << 12;
    QTest::newRow("large font") << 30;
  }
  void entriesAreThirteenPixelsHigh() {
    QFETCH(int, nPixelSize);
    std::vector<std::unique_ptr<CWeapon>> arrWeapon;
    CWeaponListBox list;
    QFont font = MakeDialogFont();
    font.setPixelSize(nPixelSize);
    list.setFont(font);
    list.resize(150, 100);
    for (int i = 0; i < 4; ++i) {
      arrWeapon.push_back(MakeWeapon(u8"大剣", 2 << i));
      list.AddWeapon(*arrWeapon.back());
    }
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (int i = 0; i < 4; ++i) {
      const QRect rc = list.visualRect(list.model()->index(i, 0));
      QCOMPARE(rc.height(), CWeaponListBox::kEntryHeight);
      QCOMPARE(rc.top(), i * CWeaponListBox::kEntryHeight);
      QCOMPARE(list.GetWeapon(i), arrWeapon[static_cast<size_t>(i)].get());
    }
    QCOMPARE(list.GetWeapon(4), nullptr);
    QCOMPARE(list.MeasureEntry(QSize(77, 40)), QSize(77, CWeaponListBox::kEntryHeight));
  }

  void listPaintsItsEntriesThroughDrawEntry() {
    std::vector<std::unique_ptr<CWeapon>> arrWeapon;
    arrWeapon.push_back(MakeWeapon(u8"水鏡剣", 4));
    arrWeapon.push_back(MakeWeapon(u8"焔刃", 2));
    CWeaponListBox list;
    list.setFont(ExactColourFont());
    list.resize(150, 60);
    for (const auto& pWeapon : arrWeapon) list.AddWeapon(*pWeapon);
    list.setCurrentRow(1);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage image = list.viewport()->grab().toImage();
    const QRect rc0 = list.visualRect(list.model()->index(0, 0));
    const QRect rc1 = list.visualRect(list.model()->index(1, 0));
    QVERIFY(ColoursIn(image, rc0).contains(0x0000FF));
    QVERIFY(ColoursIn(image, rc1).contains(0xFFFFFF));
    QVERIFY(!ColoursIn(image, rc1).contains(0xFF0000));
    QCOMPARE(list.item(0)->text(), QString::fromUtf8("水鏡剣"));
  }
};

VELKAR_UI_TEST(WeaponListBoxTest)
#include "WeaponListBoxTest.moc"

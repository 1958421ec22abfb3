// The Create window and the geometry view on the offscreen platform: the
// up-down buttons, "OK - prosecute" with the power box, attaching a CAD
// geometry, and the wire frame turning with the slider and following the
// window when it is maximised.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "GeometryWindow.h"
#include "GuiTest.h"

using namespace fonderel;
using namespace fonderel::test;

namespace {

// Message boxes are answered No.
struct Session : GuiSession {
  explicit Session(const QString& file) : GuiSession(file, {1400, 900}) {
    AnswerMessages(window, MessageAnswer::No);
  }
  template <typename T>
  T* Find(const QString& name) const { return window.findChild<T*>(name); }
};

}  // namespace

class BzGeometryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void createWindowBuildsANoiseSource() {
    Session s("");
    s.window.Action("FileCreate")->trigger();
    ChildWindow* create = s.window.Child({ViewWindow::Creation});
    QVERIFY(create->isVisible());
    QVERIFY(SavePicture(create, "CreateWindow"));
    // The arrows stop at 10 and at 0.
    for (const auto& [button, end] : {std::pair{"Spin1Up_0", "10"}, {"Spin1Down_0", "0"}}) {
      for (int i = 0; i < 12; ++i) s.Find<QToolButton>(button)->click();
      QCOMPARE(s.Find<QLineEdit>("Text1_0")->text(), QString(end));
    }
    for (int box = 2; box <= 7; ++box) s.Find<QLineEdit>(QString("Text1_%1").arg(box))->setText("3");
    s.Find<QRadioButton>("NewSpkTypeNoise")->click();
    QStringList prompts;
    s.window.Platform().inputHook = [&](const std::string&, const std::string& prompt) {
      prompts << QString::fromStdString(prompt);
      return std::optional<std::string>("94");
    };
    s.Find<QPushButton>("Command3")->click();
    QCOMPARE(prompts, QStringList{"Sound Power Level (LIN,dB)"});
    QVERIFY(!create->isVisible());
    QCOMPARE(int(s.state.src.FirstBand), 3);
    QCOMPARE(int(s.state.src.LastBand), 8);
    QCOMPARE(s.state.src.Efficiency(3), 100.0f);
    QVERIFY(qAbs(s.state.src.Lw(3) - 86.2185f) < 1e-3f);
  }

  void geometryTurnsWithTheSlider() {
    Session s(kHorn);
    QAction* view = s.window.Action("ViewGeometry");
    QVERIFY(!view->isEnabled());
    GiveFile(s.window, FONDEREL_TEST_DATA "/geometry/BOX.RAY");
    s.window.Action("AttachRAY")->trigger();
    QVERIFY(view->isEnabled());
    view->trigger();
    ChildWindow* child = s.window.Child({ViewWindow::Geometry});
    QVERIFY(child && child->isVisible());
    auto* geometry = qobject_cast<GeometryWindow*>(child->widget());
    const QSlider* slider = geometry->Slider();
    QCOMPARE(QList<int>({slider->value(), slider->minimum(), slider->maximum()}),
             QList<int>({60, -180, 180}));
    const QImage at60 = geometry->Picture()->Render();
    QVERIFY(SavePicture(child, "GeometryWindow"));
    geometry->Slider()->setValue(0);
    QVERIFY(Differing(at60, geometry->Picture()->Render()) > 50);
    geometry->Slider()->setValue(60);
    QCOMPARE(Differing(at60, geometry->Picture()->Render()), 0);
    // Maximised, the picture takes the larger window less its margins.
    const int normalWidth = geometry->Picture()->width();
    child->showMaximized();
    QTRY_VERIFY(geometry->Picture()->width() > normalWidth);
    QCOMPARE(geometry->Picture()->width(), geometry->width() - 200 / 15 - 1);
    child->showMinimized();
    QTRY_VERIFY(child->isMinimized());
    child->showNormal();
    QTRY_COMPARE(geometry->Picture()->width(), normalWidth);
  }
};

QTEST_MAIN(BzGeometryWindowsTest)
#include "BzGeometryWindowsTest.moc"

#include "tests/unit/update/FormHarness.h"

namespace qev::test {

FormHarness::FormHarness(const std::string& appDir) {
  app.exeName = appDir + "QevLogin.exe";
  InitProcessValues(values, app.exeName);
  Button1.visible = false;
  ProgressBarCount.visible = false;
  IdHTTP1.pump = [this] { app.ProcessMessages(); };
  TForm1Controls c{window,
                   combo1,
                   ZT,
                   Image1,
                   Image2,
                   Web,
                   RzLabel1,
                   suiButton1,
                   suiButton2,
                   suiButton6,
                   suiButton7,
                   minButton,
                   closeButton,
                   zhaohuimima,
                   Opt1,
                   Opt2,
                   Opt3,
                   Combo2,
                   ProgressBarCount,
                   Button1,
                   tray,
                   socket,
                   Timer1,
                   Timer4,
                   Timer5,
                   IdHTTP1,
                   MessForm,
                   suiMessageDialog1,
                   popup1,
                   M1,
                   M2,
                   M4,
                   popup2,
                   N1,
                   N2,
                   N3,
                   N8};
  TForm1Services s{fs, resolver, app, shell, registry, links, clock, boxes, theme, updater};
  form = std::make_unique<TForm1>(c, s, values);
  form->BindEvents();
  updater.Attach(*form);
}

FormHarness::~FormHarness() { threads.RunUntilIdle(); }

bool FormHarness::CreateAndSettle() {
  form->FormCreate();
  return threads.RunUntilIdle();
}

}  // namespace qev::test

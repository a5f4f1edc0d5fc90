#pragma once
// Everything a TForm1 needs, as fakes, in one place: a test makes a kit, sets up files
// and answers, then builds the form with Make().

#include <memory>

#include "config/ProcessValues.h"
#include "launcher/TForm1.h"
#include "tests/fakes/FakeClientSocket.h"
#include "tests/fakes/FakeControls.h"
#include "tests/fakes/FakeHttp.h"
#include "tests/fakes/FakeServices.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev::test {

struct FakeFormKit {
  FakeFormKit() {
    InitProcessValues(values, "C:\\Game\\QevLogin.exe");
    app.exeName = "C:\\Game\\QevLogin.exe";
    fs.AddDir("C:\\Game");
    registry.values[std::string(
        "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders|Desktop")] =
        "C:\\Users\\Player\\Desktop";
    fs.AddDir("C:\\Users\\Player\\Desktop");
    ZT.text = "\xc7\xeb\xd1\xa1\xd4\xf1\xb7\xfe\xce\xf1\xc6\xf7...";  // the designed start text
    Image1.visible = false;
    zhaohuimima.visible = false;
    Opt3.visible = false;
    ProgressBarCount.visible = false;
    Button1.visible = false;
    N8.visible = false;
    for (auto* c : {&combo1.journal, &RzLabel1.journal}) *c = &journal;
    combo1.name = "combo1";
    RzLabel1.name = "RzLabel1";
    app.journal = &journal;
    links.journal = &journal;
    web.journal = &journal;
    theme.journal = &journal;
    updates.journal = &journal;
    MessForm.journal = &journal;
    suiMessageDialog1.journal = &journal;
    http.pump = [this] { app.ProcessMessages(); };
  }

  TForm1Controls Controls() {
    return TForm1Controls{window,
                          combo1,
                          ZT,
                          Image1,
                          Image2,
                          web,
                          RzLabel1,
                          suiButton1,
                          suiButton2,
                          suiButton6,
                          suiButton7,
                          suiImageButton_Min,
                          suiImageButton_Close,
                          zhaohuimima,
                          Opt1,
                          Opt2,
                          Opt3,
                          Combo2,
                          ProgressBarCount,
                          Button1,
                          TrayIcon1,
                          ClientSocket1,
                          Timer1,
                          Timer4,
                          Timer5,
                          http,
                          MessForm,
                          suiMessageDialog1,
                          suiPopupMenu1,
                          M1,
                          M2,
                          M4,
                          suiPopupMenu2,
                          N1,
                          N2,
                          N3,
                          N8};
  }
  TForm1Services Services(UpdateDriver& driver) {
    return TForm1Services{fs, resolver, app, shell, registry, links, clock, boxes, theme, driver};
  }
  // Builds the form and binds its handlers (it does not run FormCreate); the recording
  // update driver stands in unless the test brings a real one.
  std::unique_ptr<TForm1> Make(UpdateDriver& driver) {
    auto form = std::make_unique<TForm1>(Controls(), Services(driver), values);
    form->BindEvents();
    return form;
  }
  std::unique_ptr<TForm1> Make() { return Make(updates); }

  Journal journal;
  MemFileSystem fs;
  ProcessValues values;
  FakeResolver resolver;
  FakeApplication app;
  FakeShell shell;
  FakeRegistry registry;
  FakeShellLinks links{fs};
  FakeClock clock;
  FakeSystemDialogs boxes;
  FakeSkinTheme theme;
  FakeUpdateDriver updates;
  FakeHttpServer httpServer;
  FakeHttpClient http{httpServer};

  FakeWindow window;
  FakeListBox combo1;
  FakeLabel ZT;
  FakeImage Image1, Image2;
  FakeNoticeBrowser web;
  FakeLabel RzLabel1;
  FakeButton suiButton1, suiButton2, suiButton6, suiButton7, suiImageButton_Min,
      suiImageButton_Close, zhaohuimima;
  FakeCheckBox Opt1, Opt2, Opt3;
  FakeComboBox Combo2;
  FakeProgressBar ProgressBarCount;
  FakeButton Button1;
  FakeTrayIcon TrayIcon1;
  FakeClientSocket ClientSocket1;
  FakeTimer Timer1, Timer4, Timer5;
  FakeMessForm MessForm;
  FakeMessageDialog suiMessageDialog1;
  FakePopupMenu suiPopupMenu1, suiPopupMenu2;
  FakeMenuItem M1, M2, M4, N1, N2, N3, N8;
};

}  // namespace qev::test

#include "app/main_form.h"

#include "app/program_state.h"
#include "app/window_texts.h"
#include "controls/common_controls.h"
#include "controls/handles.h"

namespace app {
namespace {

using controls::FontSpec;
using controls::Label;

const BYTE kCyrillicCharset = 204;  // RUSSIAN_CHARSET
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

FontSpec ButtonFont() {
    FontSpec font;
    font.face = "MS Sans Serif";
    font.height = -11;
    font.charset = kCyrillicCharset;
    return font;
}

}  // namespace

MainForm& CreateMainForm(std::unique_ptr<controls::Form>& window) {
    auto record = std::make_unique<MainForm>();
    MainForm& f = *record;

    window = std::make_unique<controls::Form>(323, 235, 497, 360);
    f.Window = window.get();
    window->Own(std::move(record));
    window->SetIcon(controls::UniqueIcon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 32, 32, 0))));

    f.FinishTimer = &window->Own<controls::Timer>(*window, 30);
    f.FinishTimer->OnTick = [&f](controls::Timer& sender) { FinishTimerTick(f, sender); };

    controls::InitCommonControlsOnce();

    f.Label4 = &window->Add<Label>(Label::Kind::SingleLineAutoSize, 3, 317, 0, 0, "Label4");
    FontSpec footer_font;
    footer_font.color = kBlack;
    footer_font.bold = true;
    footer_font.height = -11;
    footer_font.face = "Tahoma";
    footer_font.charset = kCyrillicCharset;
    f.Label4->SetFont(footer_font);

    f.FooterLine = &window->Add<controls::SeparatorLine>(0, 315, 200, 2);
    f.BackPanel = &window->Add<controls::Panel>(0, 0, 497, 315, /*composes_area=*/true);

    f.ContentPanel = &f.BackPanel->Add<controls::Panel>(0, 0, 497, 315);
    FontSpec content_font;
    content_font.color = kBlack;
    content_font.height = -11;
    content_font.charset = kCyrillicCharset;
    f.ContentPanel->SetFont(content_font);
    f.ContentPanel->SetTransparent(true);

    controls::Panel& content = *f.ContentPanel;
    f.Label1 = &content.Add<Label>(Label::Kind::SingleLineAutoSize, 64, 8, 0, 0, "Label1");
    FontSpec title_font = content.Font();
    title_font.bold = true;
    f.Label1->SetFont(title_font);
    f.Label1->SetTransparent(true);
    f.Label3 = &content.Add<Label>(Label::Kind::WordWrap, 56, 80, 65, 44, "Label3");
    f.Label3->SetFont(content.Font());
    f.Label3->SetTransparent(true);
    f.Label2 = &content.Add<Label>(Label::Kind::WordWrap, 64, 24, 64, 44, "Label2");
    f.Label2->SetFont(content.Font());
    f.Label2->SetTransparent(true);
    f.HeaderLine = &content.Add<controls::SeparatorLine>(0, 59, 200, 3);
    f.ProgressBar = &content.Add<controls::ProgressBar>(24, 160, 457, 17);
    f.ProgressBar->SetFont(content.Font());

    f.CancelButton = &window->Add<controls::PushButton>(408, 328, 72, 25);
    f.CancelButton->SetFont(ButtonFont());
    f.UninstallButton = &window->Add<controls::PushButton>(280, 328, 73, 25);
    f.UninstallButton->SetFont(ButtonFont());

    f.ContentPanel->OnPaint = [&f](controls::Panel& sender, HDC dc) {
        ContentPanelPaint(f, sender, dc);
    };
    f.HeaderLine->SetColor(kBlack);
    f.BackPanel->SetColor(kWhite);
    f.CancelButton->OnClick = [&f] { CancelButtonClick(f); };
    f.UninstallButton->OnClick = [&f] { UninstallButtonClick(f); };

    LoadWindowTexts(f);
    return f;
}

// Loads the banner from the resources at every paint; it is not kept.
void ContentPanelPaint(MainForm&, controls::Panel&, HDC dc) {
    controls::UniqueBitmap banner(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "B1", IMAGE_BITMAP, 0, 0, 0)));
    if (!banner) return;
    BITMAP info{};
    GetObjectA(banner.get(), sizeof info, &info);
    controls::UniqueMemoryDc source(CreateCompatibleDC(dc));
    controls::SelectedObject selected(source.get(), banner.get());
    BitBlt(dc, 10, 2, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void CancelButtonClick(MainForm& form) {
    UninstallIni.reset();
    form.Window->Close();
}

}  // namespace app

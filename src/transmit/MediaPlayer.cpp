#include "transmit/MediaPlayer.h"

#include "core/NumberText.h"
#include "core/RuntimeError.h"
#include "ui/FileDialog.h"
#include "core/Desktop.h"
#include "ui/Panel.h"

namespace tc {

AudioGraph& MediaPlayer::use(const std::shared_ptr<AudioGraph>& ref) {
    if (!ref) throw err::objectNotSet();
    return *ref;
}

void MediaPlayer::LoadFile(int ReLoad) {
    // Its own trap: any failure while loading shows the render failure
    // and leaves no graph behind.
    try {
        if (ToneSource == 1 && !loadSteps(panel_.RFTone, ReLoad)) return;
        if (ToneSource == 2 && !loadSteps(panel_.InetTone, ReLoad)) return;
    } catch (const RuntimeError&) {
        desktop_.MsgBox(kRenderFailure, mb::Exclamation, "Error");
        CleanUp();
    }
}

bool MediaPlayer::loadSteps(TextField& pathField, int ReLoad) {
    CommonDialog& dialog = panel_.CommonDialog1;
    dialog.FileName = pathField.text;
    if (!CurrentFile.empty() && ReLoad == 0) return true;
    if (pathField.text.empty()) {
        dialog.Filter = kFilter;
        ShowOpen(dialog, desktop_);
    }
    if (dialog.FileName.empty()) {
        desktop_.MsgBox(kNoFileChosen, mb::Information, "Error");
        return false;
    }
    pathField.setText(dialog.FileName);
    CurrentFile = dialog.FileName;
    CleanUp();
    auto graph = graphs_.NewGraph();
    mediaControl_ = graph;
    basicAudio_ = graph;
    mediaPosition_ = graph;
    MediaControl().RenderFile(CurrentFile);
    renderedFile_ = CurrentFile;
    double d = MediaPosition().get_Duration();
    panel_.H1.setMax(roundedWhole(d));  // beyond 16 bits: overflow, a render failure
    panel_.Text3.setText(FormatTime(d));
    panel_.Label3.caption = numberText(d);
    return true;
}

void MediaPlayer::CleanUp() {
    mediaControl_.reset();
    basicAudio_.reset();
    mediaPosition_.reset();
    renderedFile_.clear();
}

}  // namespace tc

#pragma once
#include <memory>
#include <optional>
#include <string>

#include "core/AudioGraph.h"

namespace tc {

class Desktop;
class Panel;
struct TextField;

// The program's single playback graph. LoadFile builds a fresh graph for
// the tone that the next transmission needs and publishes its length on
// the panel; CleanUp releases it. The three references always name one
// graph: they are set together and released together, and every call
// through them fails while they are empty.
class MediaPlayer {
public:
    static constexpr const char* kFilter = "*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid";
    static constexpr const char* kRenderFailure = "Render error no rendering device found. Select an Audio file";
    static constexpr const char* kNoFileChosen = "No audio file was chosen, so nothing was loaded.";

    MediaPlayer(Panel& panel, Desktop& desktop, AudioGraphFactory& graphs)
        : panel_(panel), desktop_(desktop), graphs_(graphs) {}

    std::optional<int> ToneSource;  // 1 the RF tone, 2 the Internet tone; empty until first set
    std::string CurrentFile;

    void LoadFile(int ReLoad);
    void CleanUp();
    // The wait before the graph plays, as the sound output runs it.
    void waitBeforePlay(const std::function<void()>& wait) { graphs_.RunBeforePlay(wait); }

    AudioGraph& MediaControl() const { return use(mediaControl_); }
    AudioGraph& BasicAudio() const { return use(basicAudio_); }
    AudioGraph& MediaPosition() const { return use(mediaPosition_); }
    bool loaded() const { return mediaControl_ != nullptr; }
    // The file the present graph was built from ("" without a graph).
    const std::string& renderedFile() const { return renderedFile_; }

private:
    // false: LoadFile returns at once (no file chosen)
    bool loadSteps(TextField& pathField, int ReLoad);
    static AudioGraph& use(const std::shared_ptr<AudioGraph>& ref);

    Panel& panel_;
    Desktop& desktop_;
    AudioGraphFactory& graphs_;
    std::shared_ptr<AudioGraph> mediaControl_, basicAudio_, mediaPosition_;
    std::string renderedFile_;
};

}  // namespace tc

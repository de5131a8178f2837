// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/GameFields.h"
#include "core/Control.h"
#include "core/ControlArray.h"
#include "core/Generator.h"
#include "core/Services.h"
#include "core/Timer.h"
#include "data/Database.h"
#include "data/DatabaseLock.h"
#include "data/QuestionBank.h"
#include "data/Results.h"
#include "data/Settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvz {

// Baza.mdb opened and checked for a database mode, with the lock a game that writes holds
// from before the check to its end.
struct OpenedDatabase {
    std::unique_ptr<DatabaseLock> lock;
    std::unique_ptr<Connection> conn;
};
// `memoFile`: see Platform::checkMemoFile.
OpenedDatabase openGameDatabase(const std::string& path, DatabaseMode mode,
                                const std::string& memoFile = {});

// The window's own value types: a 16-bit truth value (True = -1), a byte and a 16-bit
// whole number.
using Boolean = std::int16_t;
inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;
using Byte = std::uint8_t;
using Integer = std::int16_t;

inline Boolean toBoolean(bool b) {
    return b ? True : False;
}

// Colours the game writes.
inline constexpr Colour kNavy = 0x800000; // RGB(0,0,128)
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kOrange = 0x0080FF;     // RGB(255,128,0)
inline constexpr Colour kAnswerBlue = 0xC00000; // RGB(0,0,192)
inline constexpr Colour kRed = 0x0000FF;        // RGB(255,0,0)
inline constexpr Colour kLit = 0xFFFF00;        // RGB(0,255,255)

// The maker's web address, shown on the opening screen and on the help screen.
inline constexpr const char* kWebAddress = "www.kvizomat.example";

// What a wrong answer is told with: at the verdict, and on the screen the game ends on.
inline constexpr const char* kWrongAnswerMessage = "@ao nam je! Pogre{an odgovor!";

// Key codes the game reads.
namespace keys {
inline constexpr int Enter = 13, Esc = 27, F1 = 112;
}

// The one window of the game: its controls, its six timers, the state of a game and the
// handlers, defined across the files of their roles (start-up, game, jokers, records,
// presentation, keyboard).
class Form1 {
  public:
    Form1(Platform& platform, Generator& rnd);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // ---- Controls -------------------------------------------------------------------
    Control Form;                 // the window itself: inner width, height, back colour
    ControlArray Label1{0, 2};    // (0) "Broj bodova", (1) status line, (2) top right
    Control Label2;               // "Osvojeni iznos"
    ControlArray Label3{0, 15};   // (0) amount won, (1..15) rung numbers
    ControlArray lblCIFRA{1, 15}; // rung amounts
    Control lblBod, lblTraka, lblOsv;
    ControlArray lblNajava{0, 3};
    ControlArray lblKviz{0, 4}; // (0) question, (1..4) answers A, B, V, G
    ControlArray Label5{0, 3};  // letters A, B, V, G
    Control lblOdred, lblZamjena;
    Control Frame1, Label6;
    ControlArray lblDANE{0, 1};
    Control imgVoditelj, lblVoditelj;
    Control lblStart, lblIzlaz, Label4, Text1;
    ControlArray Label8{0, 1};
    Control lblIme, lblVer, lblInfo, lblMoto, lblZnam, lblPotpis;
    ControlArray lblFirma{0, 5};
    ControlArray lblSampioni{0, 10};
    ControlArray lblHvala{0, 4};
    ControlArray lblProc{0, 3};
    ControlArray shpPub{0, 3};
    Control Frame2, lblTime;
    ControlArray Label7{0, 3};
    Control fraStat, imgTel, imgPubl;
    ControlArray lblStat{0, 5};
    Control imgMilion, imgAutor, imgPotpis, imgDrugar, ImgRekl, imgHelp, imgOUT;
    ControlArray imgMudrost{0, 4};
    ControlArray Image2{0, 7};
    Control picHelp;

    // ---- Timers ---------------------------------------------------------------------
    std::uint64_t timerSequence = 0;
    Timer Timer1{"Timer1", 0, true, timerSequence};
    Timer Timer2{"Timer2", 700, true, timerSequence};
    Timer Timer3{"Timer3", 500, false, timerSequence};
    Timer Timer4{"Timer4", 700, false, timerSequence};
    Timer Timer5{"Timer5", 1300, false, timerSequence};
    Timer timNajava{"timNajava", 600, false, timerSequence};
    // The six timers, for hosts that run them all.
    std::array<Timer*, 6> timers() {
        return {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5, &timNajava};
    }

    // ---- Game state -----------------------------------------------------------------
#define KVZ_DECLARE_FIELD(type, name, init) type name{init};
    KVZ_GAME_FIELDS(KVZ_DECLARE_FIELD)
#undef KVZ_DECLARE_FIELD

    // ---- The database ---------------------------------------------------------------
    std::unique_ptr<DatabaseLock> Lock; // held while the game may write; goes last
    std::unique_ptr<Connection> Conn;
    std::unique_ptr<Writer> Writes; // where the game's writes go, as the platform chooses
    std::unique_ptr<Settings> RsStat;
    std::unique_ptr<Results> RsResults;

    // ---- The window as the host sees it ---------------------------------------------
    bool keyPreview = false;  // form-level key handling
    Control* focus = nullptr; // the control holding the focus
    bool ended = false;       // the program has ended
    int exitStatus = 0;       // what the program exits with: 1 after a failure
    bool shown = false;       // Main has shown the window

    // Every control, in the order they are drawn (back to front).
    std::vector<Control*> controls();
    Control* find(const std::string& key);
    void bringToFront(Control& c);

    Platform& platform() {
        return platform_;
    }
    Generator& rnd() {
        return rnd_;
    }

    // ---- Events, as the window delivers them ---------------------------------------
    // Each ignores a hidden control (or one in a hidden frame) and returns whether the
    // event reached the control.
    bool click(Control& c);
    bool dblClick(Control& c);    // Click, then DblClick
    bool secondClick(Control& c); // the DblClick alone, after a Click on c
    bool mouseMove(Control& c);
    void keyPress(int ascii);               // a character typed
    void keyUp(int keyCode, int shift = 0); // a key released
    void setFocus(Control* c);              // runs GotFocus / LostFocus
    void resize(int width, int height);     // the window's inner size in twips
    void tick(Timer& t);

    // ---- Start-up (app/Module1.cpp, app/FormLoad.cpp) -------------------------------
    void Main();
    void Form_Load();
    void Form_Activate();
    void PlayWav(const std::string& fullName);
    // Plays a sound of the program folder when the file is there; silent otherwise.
    void PlayProgramSound(const std::string& fileName);
    // "Close the main window": the program ends; nothing runs after it. Writes still on
    // their way to the file are committed first.
    void endProgram();
    // A failure the program cannot go on after: a critical message with `text`, then the
    // end, with a failure status for the host to exit with.
    void endWithError(const std::string& text);
    // Opens Baza.mdb checked, in the platform's database mode; a game that writes holds the
    // database's lock from before the check to its end.
    void openDatabase();
    // Baza.mdb as opened by openGameDatabase for the platform's mode on another thread while
    // the host builds its window: openDatabase takes it (or its failure) from there.
    std::future<OpenedDatabase> databaseAhead;
    // Waits for the writes handed over so far; a failed one is reported.
    bool finishWrites();
    // Runs one step of the game, an event or a host's own call into it: a failure in it, or
    // a write that failed behind the game since the last step, is reported to the player and
    // ends the program, as a run-time error would; what was written before stays written.
    void guarded(const std::function<void()>& step);
    // The program folder path, "\" or "/", then the name.
    std::string programFile(const std::string& name);

    // ---- Game state and ladder (game/NewGame.cpp) -----------------------------------
    void lblStart_Click();
    void imgMilion_Click();
    void ResetLadderColours();

    // ---- Announcement and loading (game/Announcement.cpp) ---------------------------
    void AnnounceQuestion();
    void timNajava_Timer();
    void LoadQuestion();
    void HideAnswers();
    void lblNajava_Click(int index);

    // ---- Correct answers and checkpoints (game/CorrectAnswer.cpp) -------------------
    void Timer3_Timer();

    // ---- Answer selection (game/AnswerSelection.cpp) --------------------------------
    void lblKviz_Click(int index);
    void lblKviz_MouseMove(int index);
    void MarkSelectedAnswer();
    void PlaceCheckPicture(int k);

    // ---- Confirmation and evaluation (game/Evaluation.cpp) --------------------------
    void lblDANE_Click(int index);
    void lblDANE_DblClick(int index);
    void imgVoditelj_Click();
    void Timer2_Timer();

    // ---- End of a game (game/EndOfGame.cpp) -----------------------------------------
    void GameOverMessage();
    void ReturnToStartAfterWrongAnswer();
    void ReturnToStartAfterWalkAway();
    void lblIzlaz_Click();
    void imgOUT_Click();

    // ---- Keyboard and name box (game/Keyboard.cpp) ----------------------------------
    void Form_KeyUp(int keyCode, int shift);
    void Text1_GotFocus();
    void Text1_KeyPress(int& keyAscii);
    void Text1_KeyUp(int keyCode, int shift);
    void Text1_LostFocus();

    // ---- Jokers (jokers/Jokers.cpp) -------------------------------------------------
    void Image2_Click(int index);
    void lblHvala_Click(int index);
    void HideAudienceChart();
    Boolean KnowsAnswer(Byte level);
    std::string FriendAnswer();

    // ---- Audience chart (jokers/AudienceChart.cpp) ----------------------------------
    void ShowAudienceFour();
    void ShowAudienceTwoLow();
    void ShowAudienceTwoMid();
    void ShowAudienceTwoHigh();

    // ---- Replacement (jokers/Replacement.cpp) ---------------------------------------
    void lblZamjena_Click();

    // ---- Joker statistics (jokers/JokerStatistics.cpp) ------------------------------
    void ShowJokerStatistics();

    // ---- Record holders (records/RecordHolders.cpp) ---------------------------------
    void RecordHolders(Boolean& save);
    void RecordWinner(Boolean& save);
    // Says the list as it is stored now, after the result of the game that has just ended.
    void SayRecordHolders();

    // ---- Typewriter, celebration, sponsor (ui/Typewriter.cpp, ui/Celebration.cpp) ---
    void Timer5_Timer();
    void StopTypewriter();
    void Timer4_Timer();
    void ShowSponsor();

    // ---- Ladder blinking and speed bonus (ui/LadderAnimation.cpp) -------------------
    void Timer1_Timer();

    // ---- Help screen (ui/Help.cpp) --------------------------------------------------
    void ShowHelp();
    void imgHelp_Click();
    void lblInfo_Click();
    void picHelp_DblClick();

    // ---- Layout (ui/Layout.cpp) -----------------------------------------------------
    void Form_Resize();

    // ---- Display font (app/FontInstallation.cpp) -----------------------------------
    void InstallFontAtStart();
    void InstallDisplayFont(const std::string& keyPath);

  private:
    void applyDesign();
    void dropHiddenFocus();
    void routeClick(Control& c);

    Platform& platform_;
    Generator& rnd_;
    std::vector<Control*> all_;
    int topZ_ = 0;
};

} // namespace kvz

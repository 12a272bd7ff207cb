// The script format's contract: key names, the items a script is read into, the errors that stop
// a run before the game starts, and how the headless host delivers keys, meets expectations and
// fires timers on its virtual clock.
#include "platform/script.h"

#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/key_names.h"
#include "platform/script_host.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

TEST(ScriptFormat, KeyNames) {
  // Each name with its key as shift bits x 1000 + the virtual-key code.
  std::istringstream known(
      "A=65 Z=90 0=48 9=57 Enter=13 Esc=27 Space=32 Tab=9 Up=38 Down=40 Left=37 Right=39 Home=36 "
      "End=35 PgUp=33 PgDn=34 Del=46 Back=8 Comma=188 Period=190 F1=112 F9=120 F10=121 F12=123 "
      "Shift+M=1077 Ctrl+0=2048 Alt+F4=4115 Shift+Ctrl+Up=3038 Shift+Ctrl+Alt+Del=7046");
  for (std::string row; known >> row;) {
    const std::string name = row.substr(0, row.find('='));
    const int value = std::stoi(row.substr(row.find('=') + 1));
    const KeyStroke key{value % 1000, value / 1000};
    EXPECT_EQ(KeyFromName(name), key) << name;
    EXPECT_EQ(KeyName(key), name);  // named back as scripts write it
  }
  std::istringstream refused(
      "a enter ENTER Escape F0 F13 F01 F1x Shift+ Shift+Shift+A Control+A shift+A AB PageUp "
      "Delete Backspace Return ,");
  for (std::string name; refused >> name;) EXPECT_FALSE(KeyFromName(name)) << name;
  for (const char* name : {"", " A", "A "}) EXPECT_FALSE(KeyFromName(name)) << '"' << name << '"';
  EXPECT_EQ(KeyName({192, 0}), "");  // no name for the grave accent key
}

// The items of a script as "kind:text:keys@line", or the error that stopped the reading.
std::string Items(const Script& script) {
  static constexpr const char* kKinds[] = {"key", "now", "expect", "on"};
  std::string out;
  for (const ScriptItem& item : script.items) {
    out += std::string(out.empty() ? "" : " | ") + kKinds[static_cast<int>(item.kind)] + ":" +
           item.text + ":";
    for (const KeyStroke& key : item.keys) out += KeyName(key) + ",";
    out += "@" + std::to_string(item.line);
  }
  return out;
}

std::string Read(const std::string& text) {
  try {
    return Items(ParseScriptText(text));
  } catch (const ScriptError& error) {
    return error.what();
  }
}

TEST(ScriptFormat, ItemsAndErrors) {
  const struct {
    std::string text, outcome;
  } rows[] = {
      {"# c\n\nkey Down Shift+M\nnow Alt+F4\nexpect Select from Menu\non What? => C Enter\n",
       "key::Down,Shift+M,@3 | now::Alt+F4,@4 | expect:Select from Menu:@5 | on:What?:C,Enter,@6"},
      {"expect  two blanks, a trailing one \n", "expect: two blanks, a trailing one :@1"},
      {"on a => b => Y\n", "on:a => b:Y,@1"},
      {"  # note\r\nkey X\r\n\r\nexpect Bye\r\n", "key::X,@2 | expect:Bye:@4"},
      {"key\tDown\t Up\nexpect\tSelect\non Hi\t=>\tY\n",
       "key::Down,Up,@1 | expect:Select:@2 | on:Hi:Y,@3"},
      {"\xEF\xBB\xBFkey X\n", "key::X,@1"},
      {"", ""},
      {"# only\n\n   \n", ""},
      {"key Down\n\nkey Up Sideways\n", "script line 3: unknown key name \"Sideways\""},
      {"now enter\n", "script line 1: unknown key name \"enter\""},
      {"# c\non Hi => Q Bogus\n", "script line 2: unknown key name \"Bogus\""},
      {"key A\npress B\n", "script line 2: unknown item \"press\""},
      {"Key A\n", "script line 1: unknown item \"Key\""},
      {"key   \n", "script line 1: \"key\" needs at least one key"},
      {"now A B\n", "script line 1: \"now\" takes exactly one key"},
      {"now\n", "script line 1: \"now\" takes exactly one key"},
      {"expect\n", "script line 1: \"expect\" needs a text"},
      {"on Hello\n", "script line 1: \"on\" needs \"TEXT => KEYS\""},
      {"on Hello =>\n", "script line 1: \"on\" needs \"TEXT => KEYS\""},
      {"on  => A\n", "script line 1: \"on\" needs a text before \"=>\""},
      {"on Hello =>   \n", "script line 1: \"on\" needs at least one key after \"=>\""},
      {"key X\n#" + std::string(kLongestScriptLine, 'a') + "\n",
       "script line 2: the line is longer than 4096 characters"},
  };
  for (const auto& row : rows) EXPECT_EQ(Read(row.text), row.outcome) << row.text;
}

TEST(ScriptFormat, OnlyARegularFileIsAScript) {
  TestFolder folder;
  folder.Write("ok.script", "key X\n");
  std::filesystem::create_directory(folder.File("folder"));
  ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
  const struct {
    std::string path, outcome;
  } rows[] = {
      {folder.File("ok.script"), "key::X,@1"},
      {folder.File("folder"), "the script " + folder.File("folder") + " is not a regular file"},
      {folder.File("fifo"), "the script " + folder.File("fifo") + " is not a regular file"},
      {"/dev/zero", "the script /dev/zero is not a regular file"},
      {folder.File("missing"), "cannot open the script " + folder.File("missing")},
      {"/proc/self/mem", "script line 1: the script cannot be read"},
  };
  for (const auto& row : rows) {
    std::string outcome;
    try {
      outcome = Items(ReadScriptFile(row.path));
    } catch (const ScriptError& error) {
      outcome = error.what();
    }
    EXPECT_EQ(outcome, row.outcome) << row.path;
  }
  // Standard input may be endless: its first line ends at the limit.
  std::ifstream zeros("/dev/zero", std::ios::binary);
  EXPECT_THROW(ParseScript(zeros), ScriptError);
}

// Drives a ScriptHost through steps written as words and logs what it answered:
//   a        a wait for an answer without deadline: the key, or "end0"/"end3" when it ends
//   aN / pN  a wait for an answer / a pause until the clock reaches N: the key, "timerI" or "-"
//   p        a pause without end
//   s:TEXT   the game speaks TEXT ("_" for a blank)
//   tI=N     start timer I every N seconds (N 0 stops it); xI stops it
//   c        the clock, as "@N"; f the final status of a run that ended with 0; e what went to
//            standard error, as "err[...]"; o what went to standard output, as "out[...]"
//   m        a message box; ~NAME a sound played
//   w        watch a descriptor (an eventfd) as id 9; k makes it readable, d empties it
//   r / rN   a wait on the network, without end / until N: "wake9", a key, "-" or "endN"
std::string Drive(const std::string& script, const std::string& steps, bool sounds = false) {
  std::ostringstream out, err;
  ScriptHost host(ParseScriptText(script), out, err, sounds);
  const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  const auto event = [&host](double deadline, WaitKind kind) -> std::string {
    try {
      const std::optional<HostEvent> e = host.NextEvent(deadline, kind);
      if (!e) return "-";
      if (e->kind == HostEvent::Kind::Timer) return "timer" + std::to_string(e->code);
      if (e->kind == HostEvent::Kind::Wake) return "wake" + std::to_string(e->code);
      return KeyName({e->code, e->shift});
    } catch (const EndProgram& end) {
      return "end" + std::to_string(end.status);
    }
  };
  std::istringstream words(steps);
  std::string log;
  for (std::string w; words >> w;) {
    std::string said;
    const std::string rest = w.substr(1);
    if (w == "a") said = event(kForever, WaitKind::Answer);
    if (w == "p") said = event(kForever, WaitKind::Pause);
    if (w[0] == 'a' && w.size() > 1) said = event(std::stod(rest), WaitKind::Answer);
    if (w[0] == 'p' && w.size() > 1) said = event(std::stod(rest), WaitKind::Pause);
    if (w[0] == 's') {
      std::string text = w.substr(2);
      for (char& ch : text) ch = ch == '_' ? ' ' : ch;
      host.OnSpoken(text);
    }
    if (w[0] == 't') host.StartTimer(std::stoi(rest), std::stod(w.substr(w.find('=') + 1)));
    if (w[0] == 'x') host.StopTimer(std::stoi(rest));
    if (w == "c") said = "@" + (std::ostringstream() << host.Now()).str();
    if (w == "f") said = "status" + std::to_string(host.FinalStatus(0));
    if (w == "e") said = "err[" + err.str() + "]";
    if (w == "o") said = "out[" + out.str() + "]";
    if (w == "m") host.ShowMessage("Error! ", "No device.", MessageIcon::Critical);
    if (w[0] == '~') host.OnSoundPlayed(rest);
    if (w == "w") host.WatchDescriptor(9, wake);
    std::uint64_t count = 1;
    if (w == "k" && ::write(wake, &count, sizeof count) != 8) said = "unwritten";
    if (w == "d" && ::read(wake, &count, sizeof count) != 8) said = "unread";
    if (w == "r") said = event(kForever, WaitKind::Remote);
    if (w[0] == 'r' && w.size() > 1) said = event(std::stod(rest), WaitKind::Remote);
    if (!said.empty()) log += (log.empty() ? "" : " ") + said;
  }
  ::close(wake);
  return log;
}

TEST(ScriptFormat, TheHostDeliversKeysMeetsExpectationsAndFiresTimers) {
  const struct {
    const char *script, *steps, *log;
  } rows[] = {
      // Key items answer prompts in order; the next prompt after the last item ends the run.
      {"key Down Up\nkey Shift+M\n", "a a a a f e", "Down Up Shift+M end0 status0 err[]"},
      // Pauses run out their time without taking keys; answers take no time.
      {"key X\n", "p7 c a c", "- @7 X @7"},
      {"key A\n", "p7 p3 c", "- - @7"},
      {"key Q\n", "p a", "Q end0"},
      // A `now` key comes at the next wait of any kind, once the items before it are done.
      {"now P\nkey Enter\nnow Ctrl+Up\n", "p2 c p2 a p3 a", "P @0 - Enter Ctrl+Up end0"},
      {"now A\nkey B\n", "a a", "A B"},
      // An expect holds the later items back until a spoken line contains its text.
      {"key T\nexpect Select from\nkey X\n", "a s:Something p1 s:Please_Select_from_Menu a a f",
       "T - X end0 status0"},
      {"expect Menu\nkey X\n", "s:menu a f e", "end3 status3 err[expect failed: Menu\n]"},
      {"expect Menu\nexpect Menu\n", "s:Menu f", "status3"},
      {"expect Goodbye\n", "s:Hello f e", "status3 err[expect failed: Goodbye\n]"},
      {"expect Goodbye\n", "s:Goodbye_for_now f", "status0"},
      // Nothing can answer a prompt while an expect waits, and its time runs out at 100000
      // virtual seconds from when it became current.
      {"expect Never\n", "a c", "end3 @100000"},
      {"key A\nexpect Never\n", "a p50000 p100000 e p100000.5", "A - - err[] end3"},
      {"key A\nexpect Later\n", "p90000 a p190000 s:Later f", "- A - status0"},
      {"expect Later\nkey A\n", "t1=1 a1.5 a1.5 c s:Later a2", "timer1 - @1.5 A"},
      // Rules queue their keys ahead of the key items, once in force and not while their keys
      // wait; they end with the items, the keys they queued do not.
      {"on What would => C Enter\nkey A B\nexpect Done\n",
       "a s:???What_would_you a a a s:What_would a a s:Done a", "A C Enter B C Enter end0"},
      {"on Pick => Y N\nexpect End\n", "s:Pick_1 s:Pick_2 a s:Pick_3 a s:Pick_4 a a a",
       "Y N Y N end3"},
      {"key A\non Hello => H\nexpect Bye\n", "s:Hello a s:Hello a s:Bye a", "A H end0"},
      {"expect Menu\non Menu => M\nexpect Stop\n", "s:Menu a", "end3"},
      {"on Again => A\nkey Z\n", "s:Again a a s:Again a", "A Z end0"},
      {"on Again => A B\nkey Z\n", "s:Again a a a a", "A B Z end0"},
      // Timers fire in time order during pauses (the lower id first), never during answers.
      {"key A\n", "t1=3 t2=2 p7 c p7 c p7 c p7 c p7 c p7 c a",
       "timer2 @2 timer1 @3 timer2 @4 timer1 @6 timer2 @6 - @7 A"},
      {"", "t1=1 x1 t2=1 t2=0 p5 c", "- @5"},
      {"", "t1=4 p3 t1=4 p10 c", "- timer1 @7"},
      // A watched descriptor that is readable wakes a wait on the network, and an answer the
      // script has no key for; the virtual clock stands still meanwhile, and a finite wait that
      // nothing wakes passes on it. A `now` key comes first; a key item waits for an answer.
      {"key A\n", "w k r d a", "wake9 A"},
      {"key A\n", "w r0.05 c a", "- @0.05 A"},
      {"expect Closed\n", "w k a d s:Closed a", "wake9 end0"},
      {"now P\nkey A\n", "w k r r d a", "P wake9 A"},
      {"", "w k p2 c", "- @2"},
      // The transcript: one line per phrase (empty ones left out), message boxes, no sounds.
      {"", "s:Corvane s: m s:Hello ~intro0.wav o", "out[Corvane\n! Error! : No device.\nHello\n]"},
  };
  for (const auto& row : rows) EXPECT_EQ(Drive(row.script, row.steps), row.log) << row.steps;
  EXPECT_EQ(Drive("", "~intro0.wav s:Hello o", true), "out[~ intro0.wav\nHello\n]");
}

}  // namespace
}  // namespace corvane

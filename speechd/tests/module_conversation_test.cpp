// The module program as speech-dispatcher runs it: its standard input and output are pipes,
// and the test says what the server says and reads what the module answers.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

class ModuleProcess {
 public:
  explicit ModuleProcess(const std::string& config) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      close(in[1]);
      close(out[0]);
      execl(SD_MOWIK, SD_MOWIK, config.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    to_ = in[1];
    from_ = out[0];
  }
  ~ModuleProcess() {
    if (to_ >= 0) close(to_);
    if (from_ >= 0) close(from_);
    if (pid_ > 0 && Status() < 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void Say(const std::string& text) {
    ASSERT_EQ(write(to_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }
  void CloseInput() {
    close(to_);
    to_ = -1;
  }

  // The next line the module writes (without its LF), or "<timeout>" / "<eof>". Audio blocks
  // hold no LF inside their samples, so they come as one line too.
  std::string Line(int timeoutMs = 30000) {
    for (;;) {
      const size_t lf = buffer_.find('\n');
      if (lf != std::string::npos) {
        std::string line = buffer_.substr(0, lf);
        buffer_.erase(0, lf + 1);
        return line;
      }
      pollfd wait{from_, POLLIN, 0};
      if (poll(&wait, 1, timeoutMs) <= 0) return "<timeout>";
      char chunk[65536];
      const ssize_t n = read(from_, chunk, sizeof chunk);
      if (n <= 0) return "<eof>";
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

  // The lines up to and including the first one that starts with end (with end empty: the
  // first end event, 702, 703 or 704); audio blocks are counted, a run of them kept as one
  // "705 AUDIO" line.
  std::vector<std::string> Until(const std::string& end, size_t* audioBlocks = nullptr) {
    std::vector<std::string> lines;
    for (;;) {
      const std::string line = Line();
      if (line.rfind("705-AUDIO", 0) == 0) {
        if (audioBlocks) ++*audioBlocks;
      } else if (line.rfind("705-", 0) != 0 && !(line == "705 AUDIO" && !lines.empty() && lines.back() == line)) {
        lines.push_back(line);  // a run of audio blocks is kept as one "705 AUDIO"
      }
      const bool endEvent = line == "702 END" || line == "703 STOP" || line == "704 PAUSE";
      if ((end.empty() ? endEvent : line.rfind(end, 0) == 0) || line == "<timeout>" || line == "<eof>") return lines;
    }
  }

  // The exit status, waiting up to 30 s; -1 if it still runs.
  int Status() {
    for (int i = 0; i < 3000; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
      }
      usleep(10000);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int to_ = -1, from_ = -1;
  std::string buffer_;
};

std::string WriteConfig(const std::string& name, const std::string& text) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

using Lines = std::vector<std::string>;

TEST(ModuleConversation, AServerSessionFromInitToQuit) {
  ModuleProcess module(WriteConfig("mowik-conversation.conf", "MowikUserSettings 0\n"));
  module.Say("INIT\n");
  EXPECT_EQ(module.Until("299 "), (Lines{"299-Mowik pl1 ready", "299 OK LOADED SUCCESSFULLY"}));
  module.Say("AUDIO\naudio_output_method=server\n.\nLOGLEVEL\nlog_level=3\n.\n");
  EXPECT_EQ(module.Until("203 OK LOGLEVEL"), (Lines{"207 OK RECEIVING AUDIO SETTINGS", "203 OK AUDIO INITIALIZED",
                                                    "207 OK RECEIVING LOGLEVEL SETTINGS", "203 OK LOGLEVEL SET"}));
  module.Say("SET\nrate=20\npitch=0\nvolume=100\npunctuation_mode=some\nspelling_mode=off\ncap_let_recogn=none\n"
             "language=pl\nvoice=MALE1\nsynthesis_voice=NULL\n.\nLIST VOICES\n");
  EXPECT_EQ(module.Until("200 OK VOICE"), (Lines{"207 OK RECEIVING SETTINGS", "203 OK SETTINGS RECEIVED",
                                                 "200-pl1\tpl\tnone", "200 OK VOICE LIST SENT"}));

  size_t blocks = 0;
  module.Say("SPEAK\n<speak><mark name=\"jeden\"/>Zażółć gęślą <mark name=\"dwa\"/>jaźń.\n"
             "..<mark name=\"trzy\"/></speak>\n.\n");
  EXPECT_EQ(module.Until("702", &blocks),
            (Lines{"202 OK RECEIVING MESSAGE", "200 OK SPEAKING", "701 BEGIN", "700-jeden", "700 INDEX MARK",
                   "705 AUDIO", "700-dwa", "700 INDEX MARK", "705 AUDIO", "700-trzy", "700 INDEX MARK", "702 END"}));
  EXPECT_GT(blocks, 2u);

  for (const char* message : {"CHAR\nŻ\n.\n", "KEY\nshift_a\n.\n", "CHAR\nspace\n.\n"}) {
    module.Say(message);
    EXPECT_EQ(module.Until("702"),
              (Lines{"202 OK RECEIVING MESSAGE", "200 OK SPEAKING", "701 BEGIN", "705 AUDIO", "702 END"})) << message;
  }

  module.Say("SOUND_ICON\nmessage\n.\n");
  EXPECT_EQ(module.Until("702"), (Lines{"202 OK RECEIVING MESSAGE", "200 OK SPEAKING", "701 BEGIN", "706-message",
                                        "706 ICON", "702 END"}));

  // STOP while a long text is spoken: no reply, and the speaking ends with 703 soon.
  std::string text;
  for (int i = 0; i < 300; ++i) text += "To jest zdanie numer " + std::to_string(i) + ". ";
  module.Say("SPEAK\n" + text + "\n.\n");
  EXPECT_EQ(module.Until("701"), (Lines{"202 OK RECEIVING MESSAGE", "200 OK SPEAKING", "701 BEGIN"}));
  // A message while one is spoken is refused (the server never sends one).
  module.Say("CHAR\na\n.\n");
  Lines refused = module.Until("301");
  std::erase(refused, "705 AUDIO");  // the speaking goes on meanwhile
  EXPECT_EQ(refused, (Lines{"202 OK RECEIVING MESSAGE", "301 ERROR CANT SPEAK"}));
  module.Say("STOP\n");
  blocks = 0;
  const Lines stopped = module.Until("", &blocks);
  EXPECT_EQ(stopped.back(), "703 STOP");
  EXPECT_LT(blocks, 200u);  // the whole text is thousands
  module.Say("STOP\n");     // nothing is spoken: no answer, no event

  module.Say("SPEAK\n\n.\nNONSENSE\nQUIT\n");
  EXPECT_EQ(module.Until("210"), (Lines{"202 OK RECEIVING MESSAGE", "301 ERROR CANT SPEAK", "300 ERR UNKNOWN COMMAND",
                                        "210 OK QUIT"}));
  EXPECT_EQ(module.Status(), 0);
}

TEST(ModuleConversation, AVoiceThatCannotLoadRefusesInit) {
  ModuleProcess module(WriteConfig("mowik-novoice.conf", "MowikVoice \"nosuch\"\n"));
  module.Say("INIT\n");
  const Lines lines = module.Until("399 ");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("399-cannot load the voice nosuch", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1], "399 ERR CANT INIT MODULE");
  EXPECT_EQ(module.Status(), 1);
}

TEST(ModuleConversation, TheServerGoingAwayEndsTheModule) {
  ModuleProcess module(WriteConfig("mowik-eof.conf", "MowikUserSettings 0\n"));
  module.Say("INIT\nSPEAK\nAla ma kota.\n.\n");
  EXPECT_EQ(module.Until("701").back(), "701 BEGIN");
  module.CloseInput();
  EXPECT_EQ(module.Status(), 2);
}

}  // namespace

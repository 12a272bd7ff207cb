// A table for the page's own test: the real port (its TLS, its files and its checks of a join)
// on a free port of this machine, with the page's folders, answering as a table would: a seat for
// one name (the same name again is that friend back at the seat), "full" for any other; every
// key said back; B shows a message box, S plays a sound and Q closes the table. It prints its port
// and runs until its standard input ends.
#include <poll.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "net/certificate.h"
#include "net/table_server.h"

using namespace corvane;

namespace {

void Answer(TableServer& server, const ServerEvent& event, std::string& seated) {
  if (event.kind == ServerEvent::Kind::Join) {
    if (!seated.empty() && seated != event.join.name) {
      server.Refuse(event.id, {Refusal::Full, "The table is full.", "1.0"});
      return;
    }
    seated = event.join.name;
    server.Welcome(event.id, {2, "The Boss", "1.0"});
    server.Send(event.id, SayMessage{"***The deal goes to Harry", 0});
    server.Send(event.id, SayMessage{"???You have Pair of Twos", 0});
    server.Send(event.id, SayMessage{"???", 0});
    server.Send(event.id, AnswerMessage{true});
  }
  if (event.kind != ServerEvent::Kind::Key) return;
  const KeyMessage& key = event.key;
  server.Send(event.id,
              SayMessage{"key " + std::to_string(key.code) + " shift " + std::to_string(key.shift),
                         key.code == 'Y' ? 1 : 0});
  if (key.code == 'B')
    server.Send(event.id, BoxMessage{"Error! ", "A box.", MessageIcon::Critical});
  if (key.code == 'S') {
    server.Send(event.id, SoundMessage{SoundMessage::Op::Load, 3, "coin3.wav", 0, false, 0});
    server.Send(event.id, SoundMessage{SoundMessage::Op::Pan, 0, "", 2, false, -2000});
    server.Send(event.id, SoundMessage{SoundMessage::Op::Play, 3, "", 2, false, 0});
  }
  if (key.code == 'Q') server.CloseAll();
  server.Send(event.id, AnswerMessage{true});
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  ServerSettings settings;
  settings.certificate = *MakeHostCertificate(error);
  settings.joinCode = "123456";
  for (int i = 1; i < argc; ++i) settings.pageFolders.push_back(argv[i]);
  const std::unique_ptr<TableServer> server = TableServer::Start(settings, error);
  if (!server) {
    std::cerr << error << "\n";
    return 1;
  }
  std::cout << server->Port() << std::endl;
  std::string seated;
  for (;;) {
    pollfd watched[] = {{server->WakeDescriptor(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    ::poll(watched, 2, -1);
    if (watched[1].revents != 0) return 0;
    for (const ServerEvent& event : server->TakeEvents()) Answer(*server, event, seated);
  }
}

"""The FTP server of the upload tests: pyftpdlib on a port of 127.0.0.1 it
binds itself, with one account and a debug log of every command on standard
error. Once it listens it prints its port on standard output. It can be made
to misbehave as slow, broken or picky servers do."""
import argparse
import logging
import os
import re
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer, ThreadedFTPServer

# An upload is read this far before a stall at "read" begins.
READ_BEFORE_STALL = 64 * 1024

parser = argparse.ArgumentParser()
parser.add_argument("--root", required=True)
parser.add_argument("--user", required=True)
parser.add_argument("--password", required=True)
parser.add_argument(
    "--stall", nargs=2, action="append", default=[], metavar=("POINT", "SECONDS"),
    help="once, do nothing at all for SECONDS at POINT: 'greeting', a command "
         "such as 'PASS', 'MKD', 'EPSV' or 'QUIT' (before it is carried out), "
         "or its Nth time as 'RNTO#3', 'read' (an upload, after its first "
         "64 KB) or 'reply' (the reply that ends a transfer)")
parser.add_argument(
    "--hang-up", nargs=2, metavar=("COMMAND", "WHEN"),
    help="close the connection at COMMAND ('RNTO' or its Nth time as "
         "'RNTO#3'), 'before' carrying it out or 'after' (in place of the "
         "reply)")
parser.add_argument(
    "--appear", nargs=3, metavar=("COMMAND", "FILE", "TEXT"),
    help="once, at COMMAND ('RNTO' or its Nth time as 'RNTO#3') and before "
         "carrying it out, a file holding TEXT appears as FILE (a path under "
         "the root), as another upload's would")
parser.add_argument(
    "--gone-after-hang-up", action="store_true",
    help="the server stops when it hangs up: no connection comes any more")
parser.add_argument(
    "--break-after", type=int, default=0, metavar="BYTES",
    help="end the data connection of an upload after BYTES, taking what came "
         "for the whole file")
parser.add_argument(
    "--no-rename-over", action="store_true",
    help="refuse to rename a file onto one that exists")
parser.add_argument(
    "--no-rename", action="store_true",
    help="the account may delete files but not rename them")
parser.add_argument(
    "--no-size", action="store_true",
    help="answer SIZE with 502, as servers that tell no sizes do")
parser.add_argument(
    "--listing", choices=("names", "long", "blank-in-group", "dos", "nothing"),
    default="names",
    help="answer NLST with the names (as pyftpdlib does), with the long "
         "lines of LIST in Unix style after their total (as 'ls -l' gives "
         "them), the same with the group of every file but test.dat named "
         "'Domain Users', as for files that another account put, in DOS "
         "style, as some servers do, or with an empty listing")
parser.add_argument(
    "--threaded", action="store_true",
    help="serve each connection on a thread of its own, so that a stall at a "
         "command holds up only that connection")
args = parser.parse_args()

stalls = {point.upper(): float(seconds) for point, seconds in args.stall}
hang_up = (args.hang_up[0].upper(), args.hang_up[1]) if args.hang_up else None
appear = (args.appear[0].upper(), args.appear[1], args.appear[2]) if args.appear else None
log = logging.getLogger("pyftpdlib")
# The owner of a long line, and its group after it.
GROUP = re.compile(r"^(\S+\s+\d+\s+\S+\s+)\S+")
# How many times each command was received, over all connections.
received = {}


def stall(point):
    seconds = stalls.pop(point, 0)
    if seconds:
        log.info("stalling at %s", point)
        time.sleep(seconds)


class Data(DTPHandler):
    def handle_read(self):
        if self.tot_bytes_received >= READ_BEFORE_STALL:
            stall("READ")
        if args.break_after:
            self.ac_in_buffer_size = max(1, args.break_after - self.tot_bytes_received)
        super().handle_read()
        if args.break_after and self.tot_bytes_received >= args.break_after and not self._closed:
            self.transfer_finished = True
            self._resp = ("226 Transfer complete.", log.debug)
            self.close()

    handle_read_event = handle_read


class Commands(FTPHandler):
    dtp_handler = Data

    def handle(self):
        stall("GREETING")
        super().handle()

    hanging_up = False

    def pre_process_command(self, line, cmd, arg):
        global hang_up, appear
        received[cmd] = received.get(cmd, 0) + 1
        points = (cmd, "%s#%d" % (cmd, received[cmd]))
        for point in points:
            stall(point)
        if appear and appear[0] in points:
            with open(os.path.join(args.root, appear[1].lstrip("/")), "w") as file:
                file.write(appear[2])
            appear = None
        if hang_up and hang_up[0] in points:
            when = hang_up[1]
            hang_up = None
            if when == "before":
                self.hang_up()
                return
            self.hanging_up = True
        super().pre_process_command(line, cmd, arg)

    def respond(self, resp, logfun=log.debug):
        if self.hanging_up:
            self.hang_up()
            return
        if resp.startswith("226"):
            stall("REPLY")
        super().respond(resp, logfun)

    def hang_up(self):
        log.info("hanging up")
        if args.gone_after_hang_up:
            # The listening socket goes first: a client that reconnects as
            # soon as it sees the hang-up is refused, not taken into a queue
            # that the exit then resets.
            self.server.socket.close()
            os._exit(0)
        self.close()

    def ftp_SIZE(self, path):
        if args.no_size:
            self.respond("502 Command not implemented.")
            return
        return super().ftp_SIZE(path)

    def ftp_NLST(self, path):
        if args.listing in ("long", "blank-in-group") and os.path.isdir(path):
            names = sorted(os.listdir(path))
            lines = [line.decode("utf8") for line in self.fs.format_list(path, names)]
            if args.listing == "blank-in-group":
                lines = [line if name == "test.dat" else GROUP.sub(r"\1Domain Users", line)
                         for name, line in zip(names, lines)]
            blocks = sum(os.lstat(os.path.join(path, name)).st_blocks for name in names) // 2
            listing = "total %d\r\n" % blocks + "".join(lines)
            self.push_dtp_data(listing.encode("utf8"), cmd="NLST")
            return path
        if args.listing in ("dos", "nothing"):
            lines = []
            for name in sorted(os.listdir(path)) if args.listing == "dos" else []:
                file = os.path.join(path, name)
                size = "<DIR>" if os.path.isdir(file) else str(os.path.getsize(file))
                lines.append("12-08-24  10:00AM  %14s %s\r\n" % (size, name))
            self.push_dtp_data("".join(lines).encode("utf8"), cmd="NLST")
            return path
        return super().ftp_NLST(path)

    def ftp_RNTO(self, path):
        if args.no_rename_over and self._rnfr and os.path.exists(path):
            self._rnfr = None
            self.respond("550 File exists.")
            return
        return super().ftp_RNTO(path)


config_logging(level=logging.DEBUG)
authorizer = DummyAuthorizer()
authorizer.add_user(args.user, args.password, args.root,
                    perm="elradmwMT" if args.no_rename else "elradfmwMT")
Commands.authorizer = authorizer
server = (ThreadedFTPServer if args.threaded else FTPServer)(("127.0.0.1", 0), Commands)
print(server.address[1], flush=True)
server.serve_forever()

#!/usr/bin/env python3
"""Bad clients at a table's port (python3 bad_clients.py ADDRESS PORT): random bytes, a message
of 100 MB, 200 connections at once and one that never sends, all at the same time; each must be
closed by the port. Exits 1, saying which, when one is not."""
import base64
import os
import random
import socket
import ssl
import struct
import sys
import threading

HOST, PORT = sys.argv[1].strip("[]"), int(sys.argv[2])
failures = []


def connect():
    return socket.create_connection((HOST, PORT), timeout=40)


def closed(sock):
    """True once the port has closed the connection."""
    try:
        while sock.recv(65536):
            pass
        return True
    except OSError:
        return True


def random_bytes():
    sock = connect()
    sock.sendall(random.Random(7).randbytes(4096))
    return closed(sock)


def hundred_megabytes():
    tls = ssl.create_default_context()
    tls.check_hostname, tls.verify_mode = False, ssl.CERT_NONE
    sock = tls.wrap_socket(connect(), server_hostname="localhost")
    key = base64.b64encode(os.urandom(16)).decode()
    sock.sendall((f"GET /table HTTP/1.1\r\nHost: localhost\r\nUpgrade: websocket\r\n"
                  f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                  f"Sec-WebSocket-Version: 13\r\n\r\n").encode())
    if b" 101 " not in sock.recv(4096):
        return False
    # One text frame of 100 MB, masked with zeros; the port closes it long before its end.
    sock.sendall(b"\x81\xff" + struct.pack(">Q", 100 << 20) + b"\0\0\0\0")
    try:
        chunk = b"x" * (1 << 20)
        for _ in range(100):
            sock.sendall(chunk)
    except OSError:
        return True
    return closed(sock)


def many_at_once():
    sockets = [connect() for _ in range(200)]
    return all(closed(sock) for sock in sockets)


def never_sends():
    return closed(connect())


def run(client):
    try:
        if not client():
            failures.append(client.__name__)
    except (ConnectionRefusedError, TimeoutError) as error:
        failures.append(f"{client.__name__}: {error}")
    except OSError:
        pass  # the port broke the connection off


threads = [threading.Thread(target=run, args=(c,))
           for c in (random_bytes, hundred_megabytes, many_at_once, never_sends)]
for thread in threads:
    thread.start()
for thread in threads:
    thread.join()
for failure in failures:
    print("not closed by the port:", failure)
sys.exit(1 if failures else 0)

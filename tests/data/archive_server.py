#!/usr/bin/env python3
"""A local HTTPS server that serves generated pages of a draws web archive in both layouts.

Usage: archive_server.py DIR
Makes a self-signed certificate for 127.0.0.1 in DIR with the openssl command, listens on a free
port of 127.0.0.1 and prints that port on the first line of stdout, followed by the port of a
tunnelling proxy (CONNECT) that wants the user "kvarn" with the password "secret". Runs until it
is terminated.

Draw n has the numbers (7n + 11k) mod 36 + 1 for k = 0..4, the extra number n mod 4 + 1 from
draw 7269 on, and the date "dd.mm.yyyy 22:00" with dd = n mod 28 + 1, mm = n mod 12 + 1,
yyyy = 2000 + n // 1000.

Behaviour is switched at run time by GET /__set?key=value (answers "ok"):
  last=N         newest draw the archives hold (default 7300)
  redirect=1     list requests answer 302 to /r/...; the redirect sets a cookie that the
                 target requires (403 without it)
  gzip=1         bodies gzip-encoded; a request must announce "gzip, deflate, sdch" (else 406)
  layout=changed pages lack the region marker
  noclose=1      the region has no closing marker
  own=N,M        these draws show no numbers in the list; only their own page has them
  ownempty=N     the own page of this draw has no numbers either
  slow=N         a list request whose firstDraw is N waits 4 s before answering
  fail=N         a list request whose firstDraw is N or above answers 500
  bad=N          draw N shows the number 0 in the list
  proxyauth=0    the proxy lets everybody through
GET /__log returns the paths requested since the last /__log (one per line) and clears it.
GET /__reset restores the defaults.
"""
import base64
import gzip
import select
import socket
import http.server
import os
import re
import socketserver
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

LAST_OLD = 7268
DEFAULTS = {"last": "7300", "redirect": "0", "gzip": "0", "layout": "normal", "noclose": "0",
            "own": "", "ownempty": "", "slow": "", "fail": "", "bad": "",
            "proxyauth": "1"}
state = dict(DEFAULTS)
log = []
lock = threading.Lock()


def numbers(n):
    return [(7 * n + 11 * k) % 36 + 1 for k in range(5)]


def date_text(n):
    return "%02d.%02d.%04d 22:00" % (n % 28 + 1, n % 12 + 1, 2000 + n // 1000)


def int_list(key):
    return {int(x) for x in state[key].split(",") if x.strip()}


def draw_block(n, plus):
    game = "5x36plus" if plus else "5x36"
    vals = numbers(n)
    if n in int_list("bad"):
        vals[2] = 0
    if n in int_list("own"):
        balls = ""
    else:
        items = "".join("<b>&nbsp;%d</b>" % v if k == 1 else "<b>%d</b>" % v
                        for k, v in enumerate(vals))
        if plus:
            items += '<b class="extra">%d</b>' % (n % 4 + 1)
        balls = '<div class="balls">%s</div>' % items
    return ('<div class="elem">\n'
            '  <div class="draw_date" title="%s">%s</div>\n'
            '  <div class="draw"><a href="/%s/archive/%d">Тираж № %d</a></div>\n'
            '  <div class="container cleared">%s</div>\n'
            '  <div class="controls"><a href="#">Проверить билет</a></div>\n'
            '</div>\n') % (date_text(n), date_text(n)[:10], game, n, n, balls)


def list_page(plus, first, last):
    top = int(state["last"])
    lo, hi = (LAST_OLD + 1, top) if plus else (1, min(LAST_OLD, top))
    draws = [n for n in range(min(last, hi), max(first, lo) - 1, -1)]
    body = "".join(draw_block(n, plus) for n in draws)
    if state["layout"] == "changed":
        return '<html><body><div class="results">%s</div></body></html>' % body
    close = "" if state["noclose"] == "1" else '<div class="content_decor">Архив тиражей</div>'
    return ('<html><head><meta charset="utf-8"><title>Архив тиражей</title></head><body>\n'
            '<div class="data drawings_data">\n%s</div>\n%s</body></html>') % (body, close)


def own_page(plus, n):
    if n in int_list("ownempty"):
        return "<html><body><p>Тираж не найден</p></body></html>"
    vals = numbers(n) + ([n % 4 + 1] if plus else [])
    items = "".join('<p class="number">%d</p>' % v for v in vals)
    return ('<html><body><h1>Тираж № %d</h1>'
            '<div class="winning_numbers cleared">%s</div></body></html>') % (n, items)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, code, text, headers=()):
        ae = self.headers.get("Accept-Encoding", "")
        zipped = state["gzip"] == "1" and "gzip" in ae
        if state["gzip"] == "1" and ae != "gzip, deflate, sdch":
            code, text = 406, "unexpected Accept-Encoding: " + ae
        data = text.encode("utf-8")
        if zipped:
            data = gzip.compress(data)
        self.send_response(code)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        if zipped:
            self.send_header("Content-Encoding", "gzip")
        for k, v in headers:
            self.send_header(k, v)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query, keep_blank_values=True))
        if url.path == "/__set":
            with lock:
                state.update(query)
            return self.send_body(200, "ok")
        if url.path == "/__reset":
            with lock:
                state.clear()
                state.update(DEFAULTS)
                log.clear()
            return self.send_body(200, "ok")
        if url.path == "/__log":
            with lock:
                text = "".join(p + "\n" for p in log)
                log.clear()
            return self.send_body(200, text)
        with lock:
            log.append(self.path)
        path = url.path
        m = re.fullmatch(r"(/r)?/(5x36|5x36plus)/archive", path)
        if m:
            redirected = m.group(1) is not None
            if state["redirect"] == "1" and not redirected:
                return self.send_body(302, "", [("Location", "/r" + self.path),
                                                ("Set-Cookie", "visit=1; Path=/")])
            if state["redirect"] == "1" and "visit=1" not in self.headers.get("Cookie", ""):
                return self.send_body(403, "no cookie")
            first = int(query.get("firstDraw", "0"))
            last = int(query.get("lastDraw", "0"))
            if state["fail"] and first >= int(state["fail"]):
                return self.send_body(500, "server failure")
            if state["slow"] and first == int(state["slow"]):
                time.sleep(4)
            return self.send_body(200, list_page(m.group(2) == "5x36plus", first, last))
        m = re.fullmatch(r"/(5x36|5x36plus)/archive/(\d+)", path)
        if m:
            return self.send_body(200, own_page(m.group(1) == "5x36plus", int(m.group(2))))
        return self.send_body(404, "not found")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


PROXY_AUTH = "Basic " + base64.b64encode(b"kvarn:secret").decode()


class ProxyHandler(socketserver.BaseRequestHandler):
    def handle(self):
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.request.recv(4096)
            if not chunk:
                return
            head += chunk
        lines = head.split(b"\r\n\r\n")[0].decode("latin-1").split("\r\n")
        method, target = lines[0].split(" ")[:2]
        headers = {k.strip().lower(): v.strip() for k, _, v in
                   (line.partition(":") for line in lines[1:])}
        if state["proxyauth"] == "1" and headers.get("proxy-authorization") != PROXY_AUTH:
            self.request.sendall(b"HTTP/1.1 407 Proxy Authentication Required\r\n"
                                 b"Proxy-Authenticate: Basic realm=\"proxy\"\r\n"
                                 b"Content-Length: 0\r\n\r\n")
            return
        if method != "CONNECT":
            self.request.sendall(b"HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\n\r\n")
            return
        host, _, port = target.rpartition(":")
        upstream = socket.create_connection((host, int(port)))
        self.request.sendall(b"HTTP/1.1 200 Connection established\r\n\r\n")
        ends = [self.request, upstream]
        while True:
            readable, _, _ = select.select(ends, [], [])
            for s in readable:
                data = s.recv(65536)
                if not data:
                    upstream.close()
                    return
                (upstream if s is self.request else self.request).sendall(data)


class ProxyServer(socketserver.ThreadingTCPServer):
    daemon_threads = True


def main():
    folder = sys.argv[1]
    cert = os.path.join(folder, "cert.pem")
    key = os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                    "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out", cert,
                    "-days", "1", "-subj", "/CN=127.0.0.1",
                    "-addext", "subjectAltName=IP:127.0.0.1"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    server = Server(("127.0.0.1", 0), Handler)
    ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    ctx.load_cert_chain(cert, key)
    server.socket = ctx.wrap_socket(server.socket, server_side=True)
    proxy = ProxyServer(("127.0.0.1", 0), ProxyHandler)
    threading.Thread(target=proxy.serve_forever, daemon=True).start()
    print(server.server_address[1], proxy.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 with the headers the browser build needs.

The game's threads share memory, which browsers give only to a page that is
cross-origin isolated: every response carries Cross-Origin-Opener-Policy and
Cross-Origin-Embedder-Policy. Usage: serve-web.py FOLDER [PORT]
"""

import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".data": "application/octet-stream",
    }

    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        self.send_header("Cross-Origin-Resource-Policy", "same-origin")
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        if "-q" not in sys.argv:
            super().log_message(format, *args)


def main():
    args = [a for a in sys.argv[1:] if a != "-q"]
    folder = args[0] if args else "."
    port = int(args[1]) if len(args) > 1 else 8640
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"Rondelix is served at http://127.0.0.1:{server.server_address[1]}/ "
              "(Ctrl+C stops the server)", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()

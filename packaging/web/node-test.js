// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Runs a test program built for the browser under node: Qt builds it as a
// module whose factory starts it. The program's own variables (VARNOSKEL_*)
// pass into its environment; its exit status is node's.
//   node node-test.js TEST.js [ARGUMENTS]
"use strict";
const os = require("os");
const path = require("path");
// What the program asks of the browser for its thread count.
if (typeof navigator === "undefined") global.navigator = { hardwareConcurrency: os.cpus().length };
const start = require(path.resolve(process.argv[2]));
const own = Object.entries(process.env).filter(([name]) => name.startsWith("VARNOSKEL_"));
start({
  arguments: process.argv.slice(3),
  preRun: [(module) => own.forEach(([name, value]) => (module.ENV[name] = value))],
}).catch((error) => {
  console.error(error);
  process.exit(1);
});

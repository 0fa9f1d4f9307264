// The built site served by nginx with the repository's own server configuration, as an
// unprivileged process on a free loopback port, for the browser tests.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { freePort } from './local.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
// The build writes the shipped server block beside the site, with the page's policy in it.
const site = process.env.WORM_WEB_DIR ?? path.resolve(here, '../../build/web/window/web');
export const nginxConf = path.resolve(site, '../nginx.conf');

// The shipped server block on our port and root, inside the little an unprivileged nginx needs.
// For the tests only: ?test=<name> puts <script src="__test/<name>.js"> at the end of the head,
// before the page's own scripts, for an engine whose driver cannot run one before them. The
// offline worker takes its copy without the query, so it never keeps such a page. A file in
// swapped/ is served instead of the site's, and while the file down exists every request is
// dropped unanswered. A host other than nginx's own way: 'no index' serves no directory's
// index.html, 'redirect' sends / to /index.html, 'pretty' sends /index.html to /.
const hosts = {
  'no index': 'index none;',
  redirect: 'location = / { return 302 /index.html; }',
  pretty: 'index index.html; if ($request_uri ~ "^/index\\.html") { return 301 /; }',
};
function config(prefix, port, root, policy, host) {
  const server = fs.readFileSync(nginxConf, 'utf8')
    .replace(/^\s*add_header Content-Security-Policy .*$/m, policy ? '$&' : '')
    .replace(/^(\s*)index index\.html;/m, (line, indent) => (host ? indent + hosts[host] : line))
    .replace(/^(\s*)listen 80;/m, `$1listen 127.0.0.1:${port};`)
    .replace(/^(\s*)root \/var\/www\/worm;/m, `$1set $worm_root ${root};
      if (-f ${prefix}/swapped$uri) { set $worm_root ${prefix}/swapped; }
      root $worm_root;
      if (-f ${prefix}/down) { return 444; }
      location /__test/ { alias ${prefix}/test/; }
      sub_filter '</head>' '$worm_test_script</head>';`);
  const temp = ['client_body', 'proxy', 'fastcgi', 'uwsgi', 'scgi']
    .map((t) => `${t}_temp_path ${prefix}/${t};`).join('\n  ');
  // Started by root, nginx would hand its workers to 'nobody', who cannot read a private temp dir.
  return `${process.getuid() === 0 ? 'user root;' : ''}
worker_processes 1;
events { worker_connections 64; }
http {
  ${temp}
  access_log off;
  map $arg_test $worm_test_script { "" ""; default '<script src="__test/$arg_test.js"></script>'; }
  ${server}
}
`;
}

// Serves dir until close(). preload(source) makes a script the page runs first when its address
// carries the returned query. swapped.set(path, bytes) hands out other bytes for a path than the
// folder's, as a deployment half done does (swapped.clear() undoes it); down = true drops every
// request, the offline worker's too, as a lost network does. { policy: false } leaves out the
// game's policy header, for pages that are not the game's; { host } serves it as another host would.
export async function serveWithNginx(dir, { policy = true, host } = {}) {
  const prefix = fs.mkdtempSync(path.join(os.tmpdir(), 'worm-nginx-'));
  fs.mkdirSync(path.join(prefix, 'test'));
  const swapDir = path.join(prefix, 'swapped');
  fs.mkdirSync(swapDir);
  const downFile = path.join(prefix, 'down');
  const port = await freePort();
  fs.writeFileSync(path.join(prefix, 'nginx.conf'), config(prefix, port, path.resolve(dir), policy, host));
  const errors = path.join(prefix, 'error.log');
  const nginx = spawn('nginx', ['-p', prefix, '-c', path.join(prefix, 'nginx.conf'), '-e', errors,
    '-g', `daemon off; pid ${prefix}/nginx.pid;`], { stdio: 'ignore' });
  const exited = new Promise((resolve) => nginx.once('exit', resolve));
  const url = `http://127.0.0.1:${port}/`;
  for (let tries = 0; ; tries += 1) {
    try {
      await fetch(url, { method: 'HEAD' });
      break;
    } catch (e) {
      if (nginx.exitCode !== null || tries > 200) {
        throw new Error(`nginx did not start: ${fs.existsSync(errors) ? fs.readFileSync(errors, 'utf8') : e}`);
      }
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
  }
  let scripts = 0;
  return {
    url,
    swapped: {
      set(name, bytes) {
        fs.mkdirSync(path.dirname(path.join(swapDir, name)), { recursive: true });
        fs.writeFileSync(path.join(swapDir, name), bytes);
      },
      clear() {
        fs.rmSync(swapDir, { recursive: true, force: true });
        fs.mkdirSync(swapDir);
      },
    },
    get down() { return fs.existsSync(downFile); },
    set down(drop) {
      if (drop) fs.writeFileSync(downFile, '');
      else fs.rmSync(downFile, { force: true });
    },
    preload(source) {
      scripts += 1;
      fs.writeFileSync(path.join(prefix, 'test', `${scripts}.js`), source);
      return `test=${scripts}`;
    },
    close: async () => {
      if (nginx.exitCode === null) {
        nginx.kill('SIGTERM'); // at once: a graceful stop would wait out the browsers' kept-alive connections
        await exited;
      }
      fs.rmSync(prefix, { recursive: true, force: true });
    },
  };
}

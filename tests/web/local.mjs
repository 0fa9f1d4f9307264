// What the browser tests start on this machine besides the server and the browsers: a free
// loopback port and a private X display.
import { spawn } from 'node:child_process';
import net from 'node:net';

// A loopback port nothing listens on, for a server of the tests'.
export async function freePort() {
  const probe = net.createServer();
  await new Promise((resolve) => probe.listen(0, '127.0.0.1', resolve));
  const { port } = probe.address();
  await new Promise((resolve) => probe.close(resolve));
  return port;
}

// Xvfb picks a free display itself and writes its number on the given descriptor.
export async function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (d) => resolve(`:${String(d).trim()}`));
    xvfb.once('exit', () => reject(new Error('Xvfb did not start')));
  });
  return { display, stop: () => xvfb.kill() };
}
